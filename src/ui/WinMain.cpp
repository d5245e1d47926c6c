#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/CShredApp.h"
#include "ui/MainWindowShell.h"

namespace {
// The text after the program name. Some schedulers (Wine's among them) start
// a task with its parameters alone, leaving the program's name off the front:
// the system then takes "/s" for the program's name and the run would lose
// its silence. No program path is "/s", so a whole command line that begins
// with it is all arguments.
std::string ArgumentsOf(const char* afterProgramName) {
    const char* whole = ::GetCommandLineA();
    if (whole != nullptr) {
        while (*whole == ' ' || *whole == '\t') ++whole;
        if (std::strncmp(whole, "\"/s\"", 4) == 0) return whole;
    }
    return afterProgramName != nullptr ? afterProgramName : "";
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_DATE_CLASSES;
    ::InitCommonControlsEx(&controls);

    CShredApp app;
    MainWindowShell shell(app);
    app.InitInstance(ArgumentsOf(commandLine), &shell);
    return app.ExitInstance();
}
