#include "ui/JobGuard.h"

#include "win/PropertyPage.h"
#include "win/PropertySheet.h"

JobGuard::JobGuard(EngineState& state, JobHost* host) noexcept
    : state_(state), host_(host), started_(!state.jobRunning) {
    if (started_) state_.jobRunning = true;
}

JobGuard::JobGuard(EngineState& state, const win::PropertyPage& page) noexcept
    : JobGuard(state, dynamic_cast<JobHost*>(page.Sheet())) {}

JobGuard::~JobGuard() {
    if (!started_) return;
    state_.jobRunning = false;
    if (host_ != nullptr) host_->OnJobEnded();
}
