#include "engine/ShredJob.h"

#include <windows.h>

#include "algorithms/AlgorithmList.h"
#include "engine/ChosenMethod.h"
#include "engine/EngineState.h"
#include "engine/FolderShredder.h"
#include "engine/OverallRange.h"
#include "engine/ProgressControl.h"
#include "engine/RedirectionGuard.h"
#include "engine/Report.h"
#include "engine/Settings.h"
#include "engine/SettingsStore.h"
#include "engine/SolidStateDrives.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/FileSystem.h"
#include "win/WideText.h"

namespace {
const char* const kTargetWords[] = {"recycle", "restorepoints", "emptydiskspace"};
}  // namespace

bool IsTargetWord(const std::string& target) {
    for (const char* word : kTargetWords)
        if (target == word) return true;
    return false;
}

bool IsTargetWord(const win::FsPath& target) {
    for (const char* word : kTargetWords)
        if (target.Text() == win::WidenAnsi(word)) return true;
    return false;
}

void ShredJob::Begin(EngineState& state, const JobRequest& request) {
    state.runMode = request.silent;
    state.cancelRequested = false;
    state.answers = JobAnswers();
    state.solidStateTold = false;
    state.job = JobChoices{request.algorithm, request.folderOption, request.removeOption, request.driveOption,
                           request.verify};
}

JobRequest ShredJob::WindowRequest(const EngineContext& context) {
    JobRequest request;
    request.algorithm = context.settings.Read(setting::kMethod);
    request.folderOption = context.settings.Read(setting::kFolder);
    request.removeOption = context.settings.Read(setting::kRemove);
    request.verify = context.settings.Read(setting::kVerify) != 0;
    return request;
}

int32_t ShredJob::OverallRange(const JobRequest& request) const {
    JobProgress progress;
    for (const win::FsPath& target : request.targets) {
        // No word is a path, also when a file of that name lies in the current folder.
        if (IsTargetWord(target)) continue;
        WIN32_FILE_ATTRIBUTE_DATA status{};
        if (!win::fs::AttributeData(win::fs::FullPath(target), status)) continue;
        if (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            progress.AddFolder(win::fs::FullPath(target));
        else
            progress.AddFile((static_cast<uint64_t>(status.nFileSizeHigh) << 32) | status.nFileSizeLow);
    }
    return progress.Range(ChosenPassSteps(context_));
}

void ShredJob::ReportNoObject(const win::FsPath& target) {
    ++context_.state.itemsNotDone;
    Report(context_, WithPath(context_.texts.Text(9053), target.Text()), MB_OK);
}

TargetResult ShredJob::ShredTarget(const win::FsPath& target, TargetKind kind, bool& stop) {
    EngineState& state = context_.state;
    const uint32_t notDoneBefore = state.itemsNotDone;
    if (IsTargetWord(target)) {
        const auto job =
            wordJobs_ != nullptr ? wordJobs_->find(win::NarrowAnsi(target.Text())) : TargetWordJobs::const_iterator();
        if (wordJobs_ == nullptr || job == wordJobs_->end() || !job->second) {
            ReportNoObject(target);
            return TargetResult::NotAnObject;
        }
        job->second();
    } else {
        const StepResult result = folders_.ShredPath(target, kind);
        if (result == kNotAnObject) {
            ReportNoObject(target);
            return TargetResult::NotAnObject;
        }
        stop = result == kStop;
    }
    stop = stop || state.cancelRequested;
    if (state.itemsNotDone != notDoneBefore) return TargetResult::NotDone;
    // What a stop left standing was not shredded, in whole or in part.
    if (stop && !IsTargetWord(target) && win::fs::Exists(win::fs::FullPath(target))) return TargetResult::NotDone;
    return TargetResult::Done;
}

JobOutcome ShredJob::Run(const JobRequest& request) {
    const RedirectionGuard redirection(context_.redirection);
    EngineState& state = context_.state;
    Begin(state, request);
    state.overallRange = OverallRange(request);
    // Told before the first target is touched; the word jobs and free space
    // (which a drive option may turn off) tell of their own drives.
    for (const win::FsPath& target : request.targets)
        if (!IsTargetWord(target) && !target.IsDriveRoot()) TellOfSolidStateDrive(context_, target);

    JobOutcome outcome;
    outcome.results.assign(request.targets.size(), TargetResult::NotReached);
    for (size_t i = 0; i < request.targets.size() && !outcome.stopped; ++i)
        outcome.results[i] = ShredTarget(request.targets[i], request.kind, outcome.stopped);
    CloseProgressDialog(context_);
    return outcome;
}
