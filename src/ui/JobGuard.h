#pragma once
// One job at a time. A page holds a JobGuard for the length of its job: a
// second job is refused while one runs, and the main window, asked to close
// meanwhile, stops the job and closes only once the guard is gone, so that
// nothing the job still uses is freed under it.
#include "engine/EngineState.h"

namespace win {
class PropertyPage;
}

// The main window's side: told when a job ends, to run a close it deferred.
class JobHost {
public:
    virtual ~JobHost() = default;
    virtual void OnJobEnded() = 0;
};

class JobGuard {
public:
    // host may be null (a page in a plain sheet of a test).
    JobGuard(EngineState& state, JobHost* host) noexcept;
    // The host is the page's sheet when that is the main window.
    JobGuard(EngineState& state, const win::PropertyPage& page) noexcept;
    ~JobGuard();
    JobGuard(const JobGuard&) = delete;
    JobGuard& operator=(const JobGuard&) = delete;

    // False: another job was running, and this one must not start.
    bool Started() const noexcept { return started_; }

private:
    EngineState& state_;
    JobHost* host_;
    bool started_;
};
