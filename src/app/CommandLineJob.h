#pragma once
// The run that follows a command line with targets: one confirmation (none
// in a silent run), the overall progress range, and each target handed to
// its job in order.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/EngineContext.h"

class FolderShredder;

// Jobs named by a word instead of a path. A word is never taken for a path,
// also while no job is wired to it.
using TargetWordJobs = std::map<std::string, std::function<void()>>;

bool IsTargetWord(const std::string& target);

class CommandLineJob {
public:
    CommandLineJob(EngineContext& context, FolderShredder& folders, const TargetWordJobs& wordJobs)
        : context_(context), folders_(folders), wordJobs_(wordJobs) {}

    // methodIndex: the "Method" setting as start-up read it.
    void RunCommandLineJob(const std::vector<std::string>& targets, int methodIndex);

    std::string ConfirmationText(const std::vector<std::string>& targets) const;
    static unsigned long long TotalSize(const std::vector<std::string>& targets);

private:
    void ReportNoObject(const std::string& target);

    EngineContext& context_;
    FolderShredder& folders_;
    const TargetWordJobs& wordJobs_;
};
