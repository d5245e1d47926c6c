#pragma once
// The shell's two Recycle Bin functions as the bin job uses them. The program
// puts the real shell behind it; tests put a double that sees the bin
// folders, which Wine's own versions of the functions do not.
#include <windows.h>

#include <cstdint>
#include <string>

struct RecycleBinContents {
    int64_t bytes = 0;
    int64_t items = 0;
};

enum class RecycleBinAccess {
    NoLibrary,    // the shell library cannot be loaded
    NoFunctions,  // it lacks one of the two functions
    Ready,
};

class RecycleBinShell {
public:
    virtual ~RecycleBinShell() = default;

    // Loads the shell and finds both functions; Close releases it again.
    virtual RecycleBinAccess Open() = 0;
    virtual void Close() = 0;
    // The bin of one drive ("C:\" form); the shell's result code.
    virtual HRESULT Query(const std::string& root, RecycleBinContents& contents) = 0;
    // Empties that bin without asking, showing or sounding anything.
    virtual void Empty(const std::string& root) = 0;
};
