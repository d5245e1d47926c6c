#pragma once
// The flags and run-mode values that the jobs share. Jobs clear what they
// own when they start; the command-line parser sets the run values once.
#include <cstdint>

struct EngineState {
    bool runMode = false;          // a silent command-line run: report to the log, ask nothing
    bool cancelRequested = false;  // the running job is to stop
    bool attributeYesToAll = false;
    bool subfolderYesToAll = false;
    bool removeYesToAll = false;
    bool taskFileYesToAll = false;
    bool taskFolderYesToAll = false;
    // A page's job (or its Schedule pre-checks) is running: no second one starts.
    bool jobRunning = false;

    int32_t runMethod = 0;
    int32_t runFolder = 0;
    int32_t runRemove = 0;
    int32_t runDrive = -1;

    // Upper end of the overall bar; a job's starter sets it before its first item.
    int32_t overallRange = 0;

    // Targets and items the run gave up on, whatever the reason: the run's
    // outcome, which its exit step and exit code tell. The run's starter clears it.
    uint32_t itemsNotDone = 0;
};
