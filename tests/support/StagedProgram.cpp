#include "support/StagedProgram.h"

#include <algorithm>

#include "support/TestFolder.h"
#include "win/UniqueResource.h"

StagedProgram::StagedProgram(const std::string& folder)
    : folder_(folder), program_(folder + "\\Vantrel.exe") {
    valid_ = ::CopyFileA((TestDriveRoot() + "bin\\Vantrel.exe").c_str(), program_.c_str(), FALSE) != FALSE;
}

DWORD StagedProgram::Run(const std::string& arguments, DWORD timeoutMs) const {
    std::string line = "\"" + program_ + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program_.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                          &info))
        return 9999;
    win::UniqueHandle process(info.hProcess);
    win::UniqueHandle thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 1);
        return 9998;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    return code;
}

std::string StagedProgram::Log() const {
    const std::string log = folder_ + "\\log.txt";
    if (!Exists(log)) return "<none>";
    const auto bytes = ReadBytes(log);
    const std::string text(bytes.begin(), bytes.end());
    const std::string mark = "\xEF\xBB\xBF";
    return text.compare(0, mark.size(), mark) == 0 ? text.substr(mark.size()) : "<no UTF-8 mark>" + text;
}

namespace {

struct VisibleWindows {
    DWORD processId;
    std::vector<std::string>* seen;
};

BOOL CALLBACK NoteVisibleWindow(HWND window, LPARAM data) {
    auto* windows = reinterpret_cast<VisibleWindows*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != windows->processId || !::IsWindowVisible(window)) return TRUE;
    char className[128] = "", title[256] = "";
    ::GetClassNameA(window, className, sizeof className);
    ::GetWindowTextA(window, title, sizeof title);
    std::string name = std::string(className) + " \"" + title + "\"";
    if (::FindWindowExA(window, nullptr, "msctls_progress32", nullptr)) name += " with progress bars";
    if (std::find(windows->seen->begin(), windows->seen->end(), name) == windows->seen->end())
        windows->seen->push_back(name);
    return TRUE;
}

}  // namespace

DWORD StagedProgram::RunCommandLine(std::string commandLine, DWORD timeoutMs,
                                   std::vector<std::string>* visibleWindows) const {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                          &startup, &info))
        return 9999;
    win::UniqueHandle process(info.hProcess);
    win::UniqueHandle thread(info.hThread);
    std::vector<std::string> seen;
    VisibleWindows windows{info.dwProcessId, &seen};
    const DWORD start = ::GetTickCount();
    // Polled until the end, so that a window shown for a moment is seen too.
    while (::WaitForSingleObject(process.Get(), 10) == WAIT_TIMEOUT) {
        ::EnumWindows(&NoteVisibleWindow, reinterpret_cast<LPARAM>(&windows));
        if (::GetTickCount() - start >= timeoutMs) {
            ::TerminateProcess(process.Get(), 1);
            ::WaitForSingleObject(process.Get(), 5000);
            if (visibleWindows) *visibleWindows = seen;
            return 9998;
        }
    }
    if (visibleWindows) *visibleWindows = seen;
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    return code;
}
