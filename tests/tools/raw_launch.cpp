// Starts Vantrel.exe from this program's own folder with the command line
// held in the environment variable VANTREL_COMMAND_LINE, passed on exactly as
// written, the way a scheduled task or a Windows shell passes its text.
// Answers the program's exit code. scripts/run.sh uses it: a command line
// built from Unix arguments would have its quotes escaped.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "win/UniqueResource.h"

int main() {
    char self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 126;
    std::string program(self, length);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "Vantrel.exe";

    std::string line = "\"" + program + "\"";
    const DWORD size = ::GetEnvironmentVariableA("VANTREL_COMMAND_LINE", nullptr, 0);
    if (size > 1) {
        std::vector<char> text(size);
        ::GetEnvironmentVariableA("VANTREL_COMMAND_LINE", text.data(), size);
        line += " ";
        line += text.data();
    }
    // The program itself sees no trace of how it was started.
    ::SetEnvironmentVariableA("VANTREL_COMMAND_LINE", nullptr);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "could not start %s (error %lu)\n", program.c_str(), ::GetLastError());
        return 126;
    }
    win::UniqueHandle process(info.hProcess);
    win::UniqueHandle thread(info.hThread);
    ::WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 126;
    ::GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}
