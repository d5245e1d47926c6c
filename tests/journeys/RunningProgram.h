#pragma once
// The real Vantrel.exe, staged with its language packs and help beside it,
// started the way a user starts it and ended when the journey is over.
#include <windows.h>

#include <string>

#include "win/UniqueResource.h"

// The folder the program is staged in and a folder the journeys may fill.
std::string ProgramFolder();
std::string WorkFolder();

class RunningProgram {
public:
    // Starts the program with that text after its name.
    explicit RunningProgram(const std::string& arguments = "");
    // A program still running is ended: a journey never leaves one behind.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return process_.Valid(); }
    DWORD id() const { return id_; }

    // The main window, once it is shown; null after the time-out.
    HWND WaitForMainWindow(DWORD timeoutMs = 60000) const;
    // A visible window of the program titled so, not the main window.
    HWND WaitForWindow(const std::string& title, DWORD timeoutMs = 30000) const;
    // A message box of the program, whatever its title.
    HWND WaitForBox(DWORD timeoutMs = 30000) const;
    // A visible dialog of the program that is none of these windows.
    HWND WaitForDialogOtherThan(HWND mainWindow, DWORD timeoutMs = 30000) const;
    // True when it ended in time; code gets its exit code.
    bool WaitForExit(DWORD timeoutMs, DWORD* code = nullptr) const;
    bool running() const;

private:
    win::UniqueHandle process_;
    DWORD id_ = 0;
};

// The message box's text (its static text control).
std::string BoxText(HWND box);
// log.txt beside the program after its UTF-8 mark, without carriage
// returns ("<no byte-order mark>" and the whole text when it has none); "<none>"
// without one.
std::string ProgramLog();
void RemoveProgramLog();
