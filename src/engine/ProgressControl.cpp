#include "engine/ProgressControl.h"

#include <windows.h>

#include "engine/EngineState.h"
#include "engine/Report.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"

bool ShowProgressDialog(EngineContext& context) {
    if (context.ui.OpenProgress(context.state.overallRange)) return true;
    Report(context, context.texts.Text(9010), MB_OK | MB_ICONERROR);
    return false;
}

void CloseProgressDialog(EngineContext& context) {
    context.ui.CloseProgress();
    context.state.overallRange = 0;
}
