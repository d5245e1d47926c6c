#pragma once
// The run that follows a command line with targets: one confirmation (none
// in a silent run), the overall progress range, and each target handed to
// its job in order.
#include <string>
#include <vector>

#include "engine/EngineContext.h"
#include "engine/JobRequest.h"

class ShredJob;

class CommandLineJob {
public:
    CommandLineJob(EngineContext& context, ShredJob& job) : context_(context), job_(job) {}

    // methodIndex: the "Method" setting as start-up read it.
    void RunCommandLineJob(const std::vector<win::FsPath>& targets, int methodIndex);

    // The run's request: a silent run takes "/O", "/F" and "/R", a windowed
    // one the settings; "/D" counts in both.
    JobRequest RequestFor(const std::vector<win::FsPath>& targets, int methodIndex) const;
    std::wstring ConfirmationText(const std::vector<win::FsPath>& targets) const;

private:
    EngineContext& context_;
    ShredJob& job_;
};
