#pragma once
// The one interactive instance per session. Command-line runs never take it,
// so a scheduled run may work beside an open main window.
#include "win/UniqueResource.h"

class InstanceMutex {
public:
    static constexpr const char* kName = "BrelmontVantrel";

    // False when another instance holds the name, or an object of another
    // kind has taken it.
    bool Claim(const char* name = kName);
    void Close() { handle_.Reset(); }

private:
    win::UniqueHandle handle_;
};
