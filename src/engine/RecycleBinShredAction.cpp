#include "engine/RecycleBinShredAction.h"

#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "engine/SettingsStore.h"
#include "engine/RecycleBinShredder.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"

void ShredRecycleBinNow(EngineContext& context, RecycleBinShredder& shredder) {
    // Nobody sits at a scheduled run: the warning goes to its log, and the
    // run goes on as its owner asked when scheduling it.
    if (context.state.runMode && context.settings.Read(setting::kBinAlertDisabled) == 0)
        context.log.Note(context.texts.Text(15261));
    if (!context.state.runMode && context.settings.Read(setting::kBinAlertDisabled) == 0) {
        const NoticeAnswer answer = context.ui.ShowNotice(NoticeRecycleBinConflict);
        // Escape or the close box cancels the command, whatever the box says.
        if (!answer.ok) {
            ++context.state.itemsNotDone;
            if (context.state.runMode) context.log.Write(context.texts.Text(15009));
            return;
        }
        if (answer.dontShowAgain) context.settings.Write(setting::kBinAlertDisabled, 1);
    }
    context.state.answers.attributeYesToAll = false;
    shredder.ShredRecycleBin();
}
