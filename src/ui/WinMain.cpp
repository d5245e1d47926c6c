#include <windows.h>
#include <commctrl.h>

#include "app/CShredApp.h"
#include "ui/MainWindowShell.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_DATE_CLASSES;
    ::InitCommonControlsEx(&controls);

    CShredApp app;
    MainWindowShell shell(app);
    app.InitInstance(commandLine != nullptr ? commandLine : "", &shell);
    return app.ExitInstance();
}
