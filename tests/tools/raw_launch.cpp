// Starts Vantrel.exe from this program's own folder with the command line
// held in the environment variable VANTREL_COMMAND_LINE, passed on exactly as
// written, the way a scheduled task or a Windows shell passes its text.
// Answers the program's exit code. It starts the program with CreateProcessW. scripts/run.sh uses it: a command line
// built from Unix arguments would have its quotes escaped.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "win/UniqueResource.h"

int main() {
    std::vector<wchar_t> self(MAX_PATH);
    DWORD length = 0;
    while ((length = ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()))) >= self.size())
        self.resize(self.size() * 2);
    if (length == 0) return 126;
    std::wstring program(self.data(), length);
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"Vantrel.exe";

    // Wide, as the system's scheduler and shell start programs: the
    // environment's UTF-8 arrives as UTF-16, names of any script whole.
    std::wstring line = L"\"" + program + L"\"";
    const DWORD size = ::GetEnvironmentVariableW(L"VANTREL_COMMAND_LINE", nullptr, 0);
    if (size > 1) {
        std::vector<wchar_t> text(size);
        ::GetEnvironmentVariableW(L"VANTREL_COMMAND_LINE", text.data(), size);
        line += L" ";
        line += text.data();
    }
    // The program itself sees no trace of how it was started.
    ::SetEnvironmentVariableW(L"VANTREL_COMMAND_LINE", nullptr);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "could not start %ls (error %lu)\n", program.c_str(), ::GetLastError());
        return 126;
    }
    win::UniqueHandle process(info.hProcess);
    win::UniqueHandle thread(info.hThread);
    ::WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 126;
    ::GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}
