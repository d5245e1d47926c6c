#include "app/CommandLineJob.h"

#include <windows.h>

#include "algorithms/AlgorithmList.h"
#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "app/ShellPath.h"
#include "engine/SettingsStore.h"
#include "engine/ShredJob.h"
#include "engine/ProgressControl.h"
#include "engine/Report.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/WideText.h"

std::wstring CommandLineJob::ConfirmationText(const std::vector<win::FsPath>& targets) const {
    if (targets.size() == 1) {
        std::wstring name = targets[0].Text();
        if (name == L"recycle") {
            name = L"the Recycle Bin";
        } else {
            const std::wstring canonical = CanonicalShellPath(name);
            if (!canonical.empty()) name = canonical;
        }
        return WithPath(context_.texts.Text(9052), name);
    }
    return win::WidenAnsi(ReplaceAll(context_.texts.Text(9051), "%u", std::to_string(targets.size())));
}

JobRequest CommandLineJob::RequestFor(const std::vector<win::FsPath>& targets, int methodIndex) const {
    const EngineState& state = context_.state;
    JobRequest request;
    request.targets = targets;
    request.silent = state.runMode;
    request.algorithm = state.runMode ? state.runMethod : methodIndex;
    request.folderOption = state.runMode ? state.runFolder : context_.settings.Read(setting::kFolder);
    request.removeOption = state.runMode ? state.runRemove : context_.settings.Read(setting::kRemove);
    request.driveOption = state.runDrive;
    request.verify = state.runMode ? state.runVerify != 0 : context_.settings.Read(setting::kVerify) != 0;
    return request;
}

void CommandLineJob::RunCommandLineJob(const std::vector<win::FsPath>& targets, int methodIndex) {
    EngineState& state = context_.state;
    state.itemsNotDone = 0;
    if (!state.runMode &&
        context_.ui.ShowMessage(ConfirmationText(targets), context_.programCaption,
                                MB_YESNO | MB_DEFBUTTON2 | MB_ICONSTOP) != IDYES) {
        state.itemsNotDone += static_cast<uint32_t>(targets.size());
        return;
    }
    const JobOutcome outcome = job_.Run(RequestFor(targets, methodIndex));
    if (state.cancelRequested) {
        // Whoever cancelled in a window knows; a silent run's log must say it.
        ++state.itemsNotDone;
        if (state.runMode) context_.log.Write(context_.texts.Text(15002));
    } else if (outcome.stopped) {
        ++state.itemsNotDone;
    }
}
