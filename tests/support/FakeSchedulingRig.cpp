#include "support/FakeSchedulingRig.h"

#include <windows.h>

#include <utility>

FakeSchedulingRig::FakeSchedulingRig(std::string settingsKey) : settingsKey_(std::move(settingsKey)) {
    engine.settings = SettingsStore(settingsKey_);
    scheduler.AttachDispatch(fake, true);
    tasks.SetComponent(&scheduler, &current);
}

FakeSchedulingRig::~FakeSchedulingRig() {
    current.ReleaseDispatch();
    scheduler.ReleaseDispatch();
    fake->Release();
    ::RegDeleteKeyA(HKEY_CURRENT_USER, settingsKey_.c_str());
}
