#include "engine/Report.h"

#include <windows.h>

#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "engine/UserInteraction.h"

int Report(EngineContext& context, const std::string& codePageText, unsigned flags) {
    return Report(context, win::WidenAnsi(codePageText), flags);
}

int Report(EngineContext& context, const std::wstring& text, unsigned flags) {
    if ((flags & MB_ICONMASK) == MB_ICONERROR) ++context.state.itemsNotDone;
    if (context.state.runMode) {
        context.log.Write(text);
        return IDOK;
    }
    return context.ui.ShowMessage(text, context.programCaption, flags);
}
