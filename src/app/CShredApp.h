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
#include "engine/EngineState.h"
#include "app/FileActivityLog.h"
#include "app/InstanceMutex.h"
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
#include "engine/ShellRecycleBin.h"
#include "lang/LanguagePack.h"
#include "scheduler/TaskClient.h"
#include "scheduler/TaskSchedulerClient.h"
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

    // commandLine: the text after the program name. False ends the program.
    bool InitInstance(const std::string& commandLine);
    // Answers the process exit code.
    int ExitInstance();

private:
    void LoadRestorePoints();
    void ReportRestorePointFailure();
    void WireTargetWords();
    void LoadAlgorithms();
    bool TakeInstanceMutex();
    bool CheckSchedulerComponent(bool commandLineRun);
    void CheckShellLibrary();
    bool LoadKernelEntryPoints();
    bool ProbeSystemVersion(bool anyNtfs);
    void RunInteractive();
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
    WriteBuffer buffer_;
    EngineState state_;
    FileActivityLog log_;
    SystemClock clock_;
    win::DialogLook look_;
    NoSkinEngine skin_;
    DialogInteraction ui_;
    EngineContext context_;
    FileShredder files_;
    FolderShredder folders_;
    FreeSpaceShredder freeSpace_{context_, files_};
    CommandLine commandLine_;
    TargetWordJobs wordJobs_;
    InstanceMutex instanceMutex_;
    std::unique_ptr<RestorePointSource> restorePointSource_;
    std::vector<RestorePointRecord> restorePoints_;
    std::string restorePointFailure_;  // told once start-up knows whether the run is silent
    RestorePointShredder restorePointJobs_{context_, folders_, restorePoints_};
    ShellRecycleBin recycleBinShell_;
    RecycleBinShredder recycleBin_{context_, folders_, files_, recycleBinShell_};
    // Only while the scheduling component is installed.
    std::unique_ptr<TaskSchedulerClient> scheduler_;
    std::unique_ptr<TaskClient> currentTask_;
    bool comInitialised_ = false;
    int exitCode_ = 0;
};
