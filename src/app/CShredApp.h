#pragma once
// The application object: owns everything that lives for the whole process
// and runs start-up and shut-down. The engine gets its parts by reference.
#include <memory>
#include <string>
#include <vector>

#include "algorithms/AlgorithmList.h"
#include "algorithms/AlgorithmStore.h"
#include "algorithms/WriteBuffer.h"
#include "engine/Clock.h"
#include "app/CommandLine.h"
#include "app/CommandLineJob.h"
#include "app/DefragRetrim.h"
#include "engine/EngineState.h"
#include "app/FileActivityLog.h"
#include "app/InstanceMutex.h"
#include "app/InteractiveWindows.h"
#include "app/VolumeSeekPenalty.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/DialogInteraction.h"
#include "engine/EngineContext.h"
#include "engine/FileShredder.h"
#include "engine/FolderShredder.h"
#include "engine/FreeSpaceShredder.h"
#include "engine/RecycleBinShredder.h"
#include "engine/RestorePointShredder.h"
#include "engine/RestorePointSource.h"
#include "engine/ShadowCopyRestorePoints.h"
#include "engine/SrClientRestorePointRemover.h"
#include "engine/SystemStreamLister.h"
#include "engine/ShredJob.h"
#include "engine/ShellRecycleBin.h"
#include "engine/RedirectionGuard.h"
#include "engine/RedirectionOnInteraction.h"
#include "engine/RedirectionOnShell.h"
#include "lang/LanguagePack.h"
#include "scheduler/TaskClient.h"
#include "scheduler/TaskSchedulerClient.h"
#include "scheduler/TaskNamePrompt.h"
#include "scheduler/TaskScheduling.h"
#include "win/NoSkinEngine.h"
#include "win/DialogLook.h"

// The process exit codes.
constexpr int kExitDone = 0;        // every target done (or an interactive start)
constexpr int kExitNotAllDone = 1;  // some target or item was not shredded, or the run was declined
constexpr int kExitNotStarted = 2;  // a start-up check failed before any target was touched

class CShredApp {
public:
    CShredApp();
    ~CShredApp();
    CShredApp(const CShredApp&) = delete;
    CShredApp& operator=(const CShredApp&) = delete;

    // commandLine: the text after the program name; windows: the main window
    // and the splash (none: an interactive start ends after its checks).
    // False ends the program.
    // commandLine: the text after the program name, as the system holds it.
    bool InitInstance(const std::wstring& commandLine, InteractiveWindows* windows = nullptr);
    // Answers the process exit code.
    int ExitInstance();

    // What the windows and pages work with.
    EngineContext& context() { return context_; }
    EngineState& state() { return state_; }
    SettingsStore& settings() { return settings_; }
    LanguagePack& texts() { return texts_; }
    std::string& programCaption() { return programCaption_; }
    int& methodIndex() { return methodIndex_; }
    AlgorithmList& algorithms() { return algorithms_; }
    AlgorithmStore& algorithmStore() { return store_; }
    MachineFacts& machine() { return machine_; }
    UserInteraction& ui() { return ui_; }
    DialogInteraction& dialogs() { return ui_; }
    const win::DialogLook& look() const { return look_; }
    SkinEngine& skin() { return skin_; }
    FileShredder& files() { return files_; }
    FolderShredder& folders() { return folders_; }
    // The one road of every shredding job.
    ShredJob& jobs() { return jobs_; }
    FreeSpaceShredder& freeSpace() { return freeSpace_; }
    RecycleBinShredder& recycleBin() { return recycleBin_; }
    RestorePointShredder& restorePointJobs() { return restorePointJobs_; }
    // The road of Vista and later, where restore points are shadow copies.
    ShadowCopyRestorePoints& shadowCopyJobs() { return shadowCopyJobs_; }
    std::vector<RestorePointRecord>& restorePoints() { return restorePoints_; }
    bool commandLineRun() const { return !commandLine_.targets().empty(); }
    // Task creation for the pages' Schedule buttons and the wizard.
    TaskScheduling& tasks() { return tasks_; }
    // The window the task-name dialog is modal over (the main window).
    void SetTaskDialogOwner(HWND owner) { taskNamePrompt_.SetOwner(owner); }
    // The scheduling clients; null, or bound to nothing, without the component.
    TaskSchedulerClient* scheduler() { return scheduler_.get(); }
    TaskClient* currentTask() { return currentTask_.get(); }

private:
    void LoadRestorePoints();
    void ReportRestorePointFailure();
    void WireTargetWords();
    void LoadAlgorithms();
    // Tasks and the run's "/O" follow algorithms whose position moved at load.
    void FollowMovedAlgorithms();
    bool TakeInstanceMutex();
    bool CheckSchedulerComponent(bool commandLineRun);
    void BindScheduler(bool commandLineRun);
    void CheckShellLibrary();
    bool LoadKernelEntryPoints();
    bool ProbeSystemVersion(bool anyNtfs);
    void RunInteractive(InteractiveWindows* windows);
    // Start-up failures: a box, or the log in a silent run, where nobody
    // could close a box.
    void ReportStartupError(const std::string& text);

    MachineFacts machine_;
    SettingsStore settings_;
    AlgorithmStore store_;
    LanguagePack texts_;
    std::string programCaption_ = "Vantrel";
    int methodIndex_ = 0;
    AlgorithmList algorithms_;
    std::vector<int32_t> storedPositions_;  // per loaded custom algorithm, its stored "Order"
    WriteBuffer buffer_;
    EngineState state_;
    FileActivityLog log_;
    SystemClock clock_;
    win::DialogLook look_;
    NoSkinEngine skin_;
    DialogInteraction ui_;
    // The jobs' dialogs and shell run with 64-bit Windows' redirection on,
    // their file calls with it off.
    KernelRedirectionFunctions redirection_;
    RedirectionOnInteraction jobDialogs_{ui_, &redirection_};
    SystemStreamLister streams_;
    // What the drives answer of themselves: their seek penalty, and the retrim.
    VolumeSeekPenalty seekPenalty_;
    DefragRetrim trim_;
    EngineContext context_;
    FileShredder files_;
    FolderShredder folders_;
    FreeSpaceShredder freeSpace_{context_, files_};
    CommandLine commandLine_;
    TargetWordJobs wordJobs_;
    ShredJob jobs_{context_, folders_, &wordJobs_};
    InstanceMutex instanceMutex_;
    std::unique_ptr<RestorePointSource> restorePointSource_;
    std::vector<RestorePointRecord> restorePoints_;
    std::string restorePointFailure_;  // told once start-up knows whether the run is silent
    RestorePointShredder restorePointJobs_{context_, folders_, restorePoints_};
    SrClientRestorePointRemover restorePointRemover_;
    ShadowCopyRestorePoints shadowCopyJobs_{context_, restorePointRemover_, freeSpace_, restorePoints_};
    ShellRecycleBin recycleBinShell_;
    RedirectionOnShell jobShell_{recycleBinShell_, &redirection_};
    RecycleBinShredder recycleBin_{context_, folders_, files_, jobShell_};
    // Only while the scheduling component is installed.
    std::unique_ptr<TaskSchedulerClient> scheduler_;
    std::unique_ptr<TaskClient> currentTask_;
    DialogTaskNamePrompt taskNamePrompt_{texts_, programCaption_, skin_, &look_};
    TaskScheduling tasks_{context_, folders_, taskNamePrompt_};
    bool comInitialised_ = false;
    int exitCode_ = 0;
};
