#include "app/CommandLineJob.h"

#include <windows.h>

#include "algorithms/AlgorithmList.h"
#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "app/ShellPath.h"
#include "engine/FolderShredder.h"
#include "engine/OverallRange.h"
#include "engine/ProgressControl.h"
#include "engine/Report.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"

namespace {
const char* const kTargetWords[] = {"recycle", "restorepoints", "emptydiskspace"};
}

bool IsTargetWord(const std::string& target) {
    for (const char* word : kTargetWords)
        if (target == word) return true;
    return false;
}

std::string CommandLineJob::ConfirmationText(const std::vector<std::string>& targets) const {
    if (targets.size() == 1) {
        std::string name = targets[0];
        if (name == "recycle") {
            name = "the Recycle Bin";
        } else {
            const std::string canonical = CanonicalShellPath(name);
            if (!canonical.empty()) name = canonical;
        }
        return ReplaceAll(context_.texts.Text(9052), "%s", name);
    }
    return ReplaceAll(context_.texts.Text(9051), "%u", std::to_string(targets.size()));
}

unsigned long long CommandLineJob::TotalSize(const std::vector<std::string>& targets) {
    unsigned long long total = 0;
    for (const std::string& target : targets) {
        // No word is a path, also when a file of that name lies in the current folder.
        if (IsTargetWord(target)) continue;
        WIN32_FILE_ATTRIBUTE_DATA status{};
        if (!::GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &status)) continue;
        if (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            total += FolderShredder::GetFolderSize(target);
        else
            total += (static_cast<unsigned long long>(status.nFileSizeHigh) << 32) | status.nFileSizeLow;
    }
    return total;
}

void CommandLineJob::ReportNoObject(const std::string& target) {
    ++context_.state.itemsNotDone;
    Report(context_, ReplaceAll(context_.texts.Text(9053), "%s", target), MB_OK);
}

void CommandLineJob::RunCommandLineJob(const std::vector<std::string>& targets, int methodIndex) {
    EngineState& state = context_.state;
    state.cancelRequested = false;
    state.itemsNotDone = 0;
    if (!state.runMode &&
        context_.ui.ShowMessage(ConfirmationText(targets), context_.programCaption,
                                MB_YESNO | MB_DEFBUTTON2 | MB_ICONSTOP) != IDYES) {
        state.itemsNotDone += static_cast<uint32_t>(targets.size());
        return;
    }

    const unsigned long long total = TotalSize(targets);
    const ShredAlgorithm& algorithm = context_.algorithms.AtOrFirst(state.runMode ? state.runMethod : methodIndex);
    if (total > 0) state.overallRange = OverallRange(algorithm.passCount(), total);

    for (const std::string& target : targets) {
        if (IsTargetWord(target)) {
            const auto job = wordJobs_.find(target);
            if (job != wordJobs_.end() && job->second)
                job->second();
            else
                ReportNoObject(target);
        } else if (folders_.ShredPath(target) == 2) {
            ReportNoObject(target);
        }
        if (state.cancelRequested) break;
    }
    if (state.cancelRequested) {
        // Whoever cancelled in a window knows; a silent run's log must say it.
        ++state.itemsNotDone;
        if (state.runMode) context_.log.Write(context_.texts.Text(15002));
    }
    CloseProgressDialog(context_);
}
