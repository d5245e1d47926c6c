#pragma once
// A copy of the real Vantrel.exe in a test's own folder, started the way the
// system starts it, so its log.txt lands in that folder.
#include <windows.h>

#include <string>
#include <vector>

class StagedProgram {
public:
    // Copies the staged program into `folder`; valid() tells whether that worked.
    explicit StagedProgram(const std::string& folder);

    bool valid() const { return valid_; }
    const std::string& path() const { return program_; }
    // Starts the program with the text after its name and waits for its exit
    // code; 9999 when it could not start, 9998 when it did not end in time.
    DWORD Run(const std::string& arguments, DWORD timeoutMs = 60000) const;
    // Starts it with exactly `commandLine` (the program's name need not lead it),
    // as Run does; `visibleWindows` gets each visible top-level window of the
    // process seen while it ran, as its class and title (and "with progress
    // bars" when it has them).
    DWORD RunCommandLine(std::string commandLine, DWORD timeoutMs,
                         std::vector<std::string>* visibleWindows = nullptr) const;
    // log.txt beside the program after its UTF-8 mark ("<no UTF-8 mark>" and
    // the whole file when it has none), or "<none>".
    std::string Log() const;

private:
    std::string folder_;
    std::string program_;
    bool valid_ = false;
};

inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
