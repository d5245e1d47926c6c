#include "journeys/RunningProgram.h"

#include <cstdlib>

#include "support/TestFolder.h"
#include "support/WindowDriver.h"

namespace {

std::string Environment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

std::string ProgramFolder() { return Environment("VANTREL_JOURNEY_BIN", "T:\\journeys\\bin"); }
std::string WorkFolder() { return Environment("VANTREL_JOURNEY_WORK", "T:\\journeys\\work"); }

RunningProgram::RunningProgram(const std::string& arguments) {
    const std::string program = ProgramFolder() + "\\Vantrel.exe";
    std::string line = "\"" + program + "\"";
    if (!arguments.empty()) line += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(),
                          &startup, &info))
        return;
    process_.Reset(info.hProcess);
    win::UniqueHandle thread(info.hThread);
    id_ = info.dwProcessId;
}

RunningProgram::~RunningProgram() {
    if (!running()) return;
    ::TerminateProcess(process_.Get(), 99);
    ::WaitForSingleObject(process_.Get(), 10000);
}

bool RunningProgram::running() const {
    return process_.Valid() && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

HWND RunningProgram::WaitForMainWindow(DWORD timeoutMs) const {
    return drive::WaitForWindow(
        [this] {
            for (HWND window : drive::VisibleWindows(id_))
                if (drive::HasTabControl(window)) return window;
            return HWND{};
        },
        timeoutMs);
}

HWND RunningProgram::WaitForWindow(const std::string& title, DWORD timeoutMs) const {
    return drive::WaitForWindowTitled(title, false, id_, timeoutMs);
}

HWND RunningProgram::WaitForBox(DWORD timeoutMs) const {
    return drive::WaitForWindow(
        [this] {
            for (HWND window : drive::VisibleWindows(id_))
                if (drive::IsMessageBox(window)) return window;
            return HWND{};
        },
        timeoutMs);
}

HWND RunningProgram::WaitForDialogOtherThan(HWND mainWindow, DWORD timeoutMs) const {
    return drive::WaitForWindow(
        [this, mainWindow] {
            for (HWND window : drive::VisibleWindows(id_))
                if (window != mainWindow && drive::ClassOf(window) == "#32770") return window;
            return HWND{};
        },
        timeoutMs);
}

bool RunningProgram::WaitForExit(DWORD timeoutMs, DWORD* code) const {
    if (!process_.Valid() || ::WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
    if (code != nullptr) ::GetExitCodeProcess(process_.Get(), code);
    return true;
}

std::string BoxText(HWND box) { return drive::WindowText(::GetDlgItem(box, 0xFFFF)); }

std::string ProgramLog() {
    const std::string path = ProgramFolder() + "\\log.txt";
    if (!Exists(path)) return "<none>";
    std::string text;
    for (unsigned char byte : ReadBytes(path))
        if (byte != '\r') text += static_cast<char>(byte);
    const std::string mark = "\xEF\xBB\xBF";
    return text.compare(0, mark.size(), mark) == 0 ? text.substr(mark.size()) : "<no UTF-8 mark>" + text;
}

void RemoveProgramLog() { ::DeleteFileA((ProgramFolder() + "\\log.txt").c_str()); }
