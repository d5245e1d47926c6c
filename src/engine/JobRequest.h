#pragma once
// Everything one shredding job needs, built by whoever starts it: a page, the
// command line, the first-run wizard or a scheduled run. `ShredJob` carries
// it out; a new run option is added here once and reaches every door.
#include <cstdint>
#include <string>
#include <vector>

#include "win/FsPath.h"

// What a door lists: the Shred Files page files only, the Shred Folders page
// folders only; anything else (the command line) takes every kind.
enum class TargetKind { Any, File, Folder };

struct JobRequest {
    std::vector<win::FsPath> targets;  // paths, drive roots or target words
    TargetKind kind = TargetKind::Any;
    int32_t algorithm = 0;     // position in the algorithm list
    int32_t folderOption = 0;  // subfolders: Never, Prompt, Always
    int32_t removeOption = 0;  // emptied subfolders: Never, Prompt, Always
    int32_t driveOption = -1;  // a drive root: -1 or 0 its free space, else nothing
    bool silent = false;       // nobody is there: ask nothing, tell the log
    bool verify = false;       // read the last pass back before a file is cut
};

// How one target of a job ended.
enum class TargetResult {
    Done,         // shredded, nothing in it left behind
    NotDone,      // left alone, refused or failed, in whole or in part (the job said why)
    NotAnObject,  // no file, folder or drive root of the kind the door takes
    NotReached,   // the job stopped before it
};

struct JobOutcome {
    std::vector<TargetResult> results;  // one per target, in order
    bool stopped = false;               // cancelled, or a step asked the job to end

    bool AllDone() const {
        for (TargetResult result : results)
            if (result != TargetResult::Done) return false;
        return !stopped;
    }
};
