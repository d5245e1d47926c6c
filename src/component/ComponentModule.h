#pragma once
// The loaded library: its instance handle and how many objects and locks
// keep it loaded. The one piece of state the library holds for its life.
#include <windows.h>

namespace sched {

class ComponentModule {
public:
    static ComponentModule& Instance();

    void Attach(HINSTANCE instance) noexcept { instance_ = instance; }
    HINSTANCE Handle() const noexcept { return instance_; }

    void AddObject() noexcept { ::InterlockedIncrement(&objects_); }
    void RemoveObject() noexcept { ::InterlockedDecrement(&objects_); }
    void Lock(bool lock) noexcept { lock ? ::InterlockedIncrement(&locks_) : ::InterlockedDecrement(&locks_); }
    bool CanUnload() const noexcept { return objects_ == 0 && locks_ == 0; }

private:
    HINSTANCE instance_ = nullptr;
    LONG objects_ = 0;
    LONG locks_ = 0;
};

}  // namespace sched
