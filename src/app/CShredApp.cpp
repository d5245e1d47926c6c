#include "app/CShredApp.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <map>

#include "app/EmptyDiskSpace.h"
#include "app/LogLocation.h"
#include "app/MachineProbe.h"
#include "app/RecycleBinApis.h"
#include "app/SchedulerComponent.h"
#include "engine/Settings.h"
#include "app/SystemVersion.h"
#include "app/UserSid.h"
#include "algorithms/AlgorithmEditing.h"
#include "scheduler/TaskAlgorithmRenumbering.h"
#include "engine/Report.h"
#include "engine/WmiRestorePointSource.h"
#include "lang/TextFill.h"
#include "engine/RecycleBinShredAction.h"

namespace {
constexpr COLORREF kDialogBackground = RGB(255, 189, 252);
constexpr COLORREF kDialogText = RGB(0, 0, 0);
}  // namespace

CShredApp::CShredApp()
    : texts_("", "English"),
      look_(kDialogBackground, kDialogText),
      ui_(state_, texts_, programCaption_),
      context_{algorithms_, buffer_,     state_,  settings_, texts_,   programCaption_, log_,
               jobDialogs_, clock_,      machine_, streams_,  &redirection_, &seekPenalty_, &trim_},
      files_(context_),
      folders_(context_, files_),
      commandLine_(state_, log_),
      restorePointSource_(std::make_unique<WmiRestorePointSource>()) {
    ui_.SetLook(&look_, &skin_);
    folders_.SetFreeSpaceJob(&freeSpace_);
    WireTargetWords();
}

void CShredApp::WireTargetWords() {
    wordJobs_["recycle"] = [this] { ShredRecycleBinNow(context_, recycleBin_); };
    wordJobs_["restorepoints"] = [this] {
        if (machine_.isVistaOrLater)
            shadowCopyJobs_.RemoveAllRestorePoints();
        else
            restorePointJobs_.ShredRestorePoints();
    };
    wordJobs_["emptydiskspace"] = [this] { ShredEveryFixedDrive(machine_, freeSpace_, state_); };
}

CShredApp::~CShredApp() = default;

void CShredApp::LoadRestorePoints() {
    std::string failure;
    if (!restorePointSource_->Query(restorePoints_, failure)) restorePointFailure_ = failure;
}

// A silent run logs the failure: a box there would wait for nobody.
void CShredApp::ReportRestorePointFailure() {
    if (restorePointFailure_.empty()) return;
    if (state_.runMode)
        log_.Write(restorePointFailure_);
    else
        ::MessageBoxA(nullptr, restorePointFailure_.c_str(), "Vantrel", MB_OK);
    restorePointFailure_.clear();
}

void CShredApp::LoadAlgorithms() {
    algorithms_.AddBuiltInAlgorithms();
    store_.LoadCustomAlgorithms(algorithms_, &storedPositions_);
}

void CShredApp::FollowMovedAlgorithms() {
    const std::map<int32_t, int32_t> moves = PositionMove::MovedOnLoad(storedPositions_);
    const bool unordered = std::find(storedPositions_.begin(), storedPositions_.end(), -1) != storedPositions_.end();
    if (moves.empty() && !unordered) return;
    const PositionMap map = [&moves](int32_t position) { return PositionMove::Through(moves, position); };
    if (state_.runMode) state_.runMethod = map(state_.runMethod);
    const bool tasksReachable = scheduler_ && scheduler_->IsBound();
    if (tasksReachable) RenumberTaskAlgorithms(*scheduler_, map);
    // From now on every start gives the same positions; while the tasks
    // cannot be changed, the old numbers are kept so a later start still can.
    if (tasksReachable || moves.empty()) store_.WriteOrders(algorithms_);
}

void CShredApp::ReportStartupError(const std::string& text) {
    exitCode_ = kExitNotStarted;
    Report(context_, text, MB_OK | MB_ICONERROR);
}

bool CShredApp::TakeInstanceMutex() {
    if (instanceMutex_.Claim()) return true;
    const std::string caption = texts_.GetLangText("9610", "Vantrel");
    ::MessageBoxA(nullptr, texts_.Text(9065).c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
    return false;
}

bool CShredApp::CheckSchedulerComponent(bool commandLineRun) {
    if (SchedulerComponentPresent(machine_.protectedFolders[1])) return true;
    // A command-line job never schedules, so it is not told.
    if (!commandLineRun)
        ::MessageBoxA(nullptr, texts_.Text(9060).c_str(), programCaption_.c_str(), MB_OK | MB_ICONERROR);
    machine_.schedulerUnavailable = true;
    return false;
}

// A class that is registered but cannot be made is as good as missing: no
// client bound to nothing is kept.
void CShredApp::BindScheduler(bool commandLineRun) {
    std::unique_ptr<TaskSchedulerClient> scheduler = BindSchedulerClient();
    if (!scheduler) {
        if (!commandLineRun)
            ::MessageBoxA(nullptr, texts_.Text(9060).c_str(), programCaption_.c_str(), MB_OK | MB_ICONERROR);
        machine_.schedulerUnavailable = true;
        return;
    }
    scheduler_ = std::move(scheduler);
    currentTask_ = std::make_unique<TaskClient>();
    tasks_.SetComponent(scheduler_.get(), currentTask_.get());
}

void CShredApp::CheckShellLibrary() {
    machine_.recycleApisAvailable = CheckRecycleBinApis();
    // A silent run shows nothing: a scheduled job would wait on the notice forever.
    if (machine_.recycleApisAvailable || state_.runMode || settings_.Read(setting::kAlertDisabled) != 0) return;
    const NoticeAnswer answer = ui_.ShowNotice(NoticeShellVersion);
    if (answer.ok && answer.dontShowAgain) settings_.Write(setting::kAlertDisabled, 1);
}

bool CShredApp::LoadKernelEntryPoints() {
    switch (machine_.kernel.Load()) {
    case KernelEntryPoints::LoadResult::Loaded: return true;
    case KernelEntryPoints::LoadResult::NoModule: ReportStartupError(texts_.Text(9008)); return false;
    case KernelEntryPoints::LoadResult::NoFreeSpaceQuery: ReportStartupError(texts_.Text(9009)); return false;
    }
    return false;
}

bool CShredApp::ProbeSystemVersion(bool anyNtfs) {
    const SystemVersion version = QuerySystemVersion();
    machine_.isNT = version.isNT;
    machine_.isXpOrMe = version.isXpOrMe;
    machine_.isVistaOrLater = version.isVistaOrLater;
    if (UserSidNeeded(machine_.isNT, machine_.isVistaOrLater, anyNtfs, machine_.recycleApisAvailable)) {
        const int code = GetUserSidText(machine_.userSid);
        if (code != 0) {
            ReportStartupError(ReplaceAll(texts_.Text(9035), "%u", std::to_string(code)));
            return false;
        }
    }
    if (machine_.isNT && !machine_.kernel.FindFilePointerEx()) {
        ReportStartupError(texts_.Text(9009));
        return false;
    }
    return true;
}

bool CShredApp::InitInstance(const std::wstring& commandLine, InteractiveWindows* windows) {
    LoadRestorePoints();
    // This build hosts no ActiveX controls: there is no skin engine and the
    // splash window draws itself.
    store_.EnsureProductKey();
    machine_.programFolder = ProgramFolder();
    // Before the command line, whose task name is the first record.
    log_.SetPath(ChooseLogFile(ProgramFolderPath()));
    machine_.logFile = log_.path();
    methodIndex_ = settings_.Read(setting::kMethod);
    texts_ = LanguagePack(machine_.programFolder, settings_.Read(setting::kLanguage));
    LoadAlgorithms();
    if (methodIndex_ < 0 || static_cast<size_t>(methodIndex_) >= algorithms_.count()) methodIndex_ = 0;
    commandLine_.ParseCommandLine(commandLine);
    const bool hasTargets = !commandLine_.targets().empty();
    ReportRestorePointFailure();

    if (!hasTargets && !TakeInstanceMutex()) return false;  // exit code 0
    programCaption_ = texts_.GetLangText("9610", "Vantrel").substr(0, LanguagePack::kCaptionLimit);
    if (!buffer_.Allocate()) {
        ReportStartupError(texts_.Text(9006));
        return false;
    }
    if (FAILED(::CoInitialize(nullptr))) {
        ReportStartupError(texts_.Text(9007));
        return false;
    }
    comInitialised_ = true;
    LoadProtectedFolders(machine_);
    if (CheckSchedulerComponent(hasTargets)) BindScheduler(hasTargets);
    FollowMovedAlgorithms();
    CheckShellLibrary();
    if (!LoadKernelEntryPoints()) return false;
    const bool anyNtfs = QueryFixedDrives(machine_);
    if (!ProbeSystemVersion(anyNtfs)) return false;

    if (hasTargets) {
        if (windows != nullptr) windows->CreateHiddenMainWindow();
        CommandLineJob job(context_, jobs_);
        job.RunCommandLineJob(commandLine_.targets(), methodIndex_);
        return false;  // the job is the whole run
    }
    RunInteractive(windows);
    return false;
}

void CShredApp::RunInteractive(InteractiveWindows* windows) {
    if (windows == nullptr) return;
    windows->ShowSplash();
    windows->RunMainWindow();
}

int CShredApp::ExitInstance() {
    ui_.CloseProgress();
    machine_.kernel.Release();
    // "Success" only when every target was done and nothing was logged; a run
    // that gave anything up says so after the reasons it logged.
    if (state_.runMode) {
        if (state_.itemsNotDone > 0)
            log_.Write(texts_.Text(15010));
        else if (log_.logText().empty())
            log_.Write("Success");
    }
    // An interactive start tells its pages' outcomes in their own boxes.
    if (exitCode_ == kExitDone && commandLineRun() && state_.itemsNotDone > 0) exitCode_ = kExitNotAllDone;
    instanceMutex_.Close();
    tasks_.SetComponent(nullptr, nullptr);
    currentTask_.reset();
    scheduler_.reset();
    if (comInitialised_) ::CoUninitialize();
    comInitialised_ = false;
    return exitCode_;
}
