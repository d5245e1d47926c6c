#pragma once
// The one road of every shredding job: whoever starts a job hands its
// request here. Each job starts with fresh answers and no cancel left over,
// holds its choices where the engine reads them, counts its overall bar in
// the unit the engine moves it by, and hands every target through the same
// guard: links and hard-linked files left alone and reported, protected and
// System folders asked about, drive roots to their free space, and a folder
// removed only when its walk ran and nothing in it was refused.
#include <functional>
#include <map>
#include <string>

#include "engine/EngineContext.h"
#include "engine/JobRequest.h"

class FolderShredder;

// Jobs named by a word instead of a path. A word is never taken for a path,
// also while no job is wired to it.
using TargetWordJobs = std::map<std::string, std::function<void()>>;
bool IsTargetWord(const std::string& target);
bool IsTargetWord(const win::FsPath& target);

class ShredJob {
public:
    ShredJob(EngineContext& context, FolderShredder& folders, const TargetWordJobs* wordJobs = nullptr)
        : context_(context), folders_(folders), wordJobs_(wordJobs) {}

    JobOutcome Run(const JobRequest& request);

    // Makes the request's choices the engine's and clears the answers and the
    // cancel of any job before; the jobs that are not lists of targets (the
    // Recycle Bin and restore-point pages) start with it too.
    static void Begin(EngineState& state, const JobRequest& request);
    // The request of a job started in a window without a list: the chosen
    // algorithm and the folder options as the settings hold them.
    static JobRequest WindowRequest(const EngineContext& context);

private:
    // stop: the job is to end after this target.
    TargetResult ShredTarget(const win::FsPath& target, TargetKind kind, bool& stop);
    int32_t OverallRange(const JobRequest& request) const;
    void ReportNoObject(const win::FsPath& target);

    EngineContext& context_;
    FolderShredder& folders_;
    const TargetWordJobs* wordJobs_;
};
