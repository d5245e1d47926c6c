#pragma once
// The flags and values that the jobs share. The command-line parser sets the
// run values once; every job starts with its own choices and fresh answers.
#include <cstdint>

// What the running job was asked to do, from its request: the one place every
// part of the engine reads the algorithm and the folder options from.
struct JobChoices {
    int32_t algorithm = 0;  // position in the algorithm list
    int32_t folder = 0;     // subfolders: Never, Prompt, Always
    int32_t remove = 0;     // emptied subfolders: Never, Prompt, Always
    int32_t drive = -1;     // a drive root: -1 or 0 its free space, else nothing
    bool verify = false;    // the last pass is read back before a file is cut
};

// A person's "to all" answers: they hold for the job that asked, never the next.
struct JobAnswers {
    bool attributeYesToAll = false;
    bool subfolderYesToAll = false;
    bool removeYesToAll = false;
    bool taskFileYesToAll = false;
    bool taskFolderYesToAll = false;
};

struct EngineState {
    bool runMode = false;          // a silent command-line run: report to the log, ask nothing
    bool cancelRequested = false;  // the running job is to stop
    bool jobRunning = false;       // a job is under way: no second one starts

    JobChoices job;
    JobAnswers answers;
    // This job told already of a drive whose spare blocks no overwrite reaches.
    bool solidStateTold = false;
    // A silent run noted it in the log: once per run, whatever its jobs.
    bool solidStateLogged = false;

    // What the command line said ("/O", "/F", "/R", "/D", "/V"); a silent run's
    // request is built from them.
    int32_t runMethod = 0;
    int32_t runFolder = 0;
    int32_t runRemove = 0;
    int32_t runDrive = -1;
    int32_t runVerify = 0;  // not 0: verify the last pass

    // Upper end of the overall bar, in the steps the engine moves it by; a
    // job's starter sets it before its first item.
    int32_t overallRange = 0;

    // Targets and items the run gave up on, whatever the reason: the run's
    // outcome, which its exit step and exit code tell. The run's starter clears it.
    uint32_t itemsNotDone = 0;
};
