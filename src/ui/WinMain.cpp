#include <windows.h>
#include <commctrl.h>

#include "app/CShredApp.h"
#include "app/CommandLine.h"
#include "ui/MainWindowShell.h"
#include "win/FileSystem.h"
#include "win/WideText.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_DATE_CLASSES;
    ::InitCommonControlsEx(&controls);

    CShredApp app;
    MainWindowShell shell(app);
    // Read wide: the system and the shell start programs with names of any
    // script. The 9x family holds its command line in the code page only.
    const wchar_t* wide = win::fs::IsNtFamily() ? ::GetCommandLineW() : nullptr;
    const char* ansi = wide == nullptr ? ::GetCommandLineA() : nullptr;
    const std::wstring whole = wide != nullptr ? wide : win::WidenAnsi(ansi != nullptr ? ansi : "");
    app.InitInstance(ArgumentsOf(whole), &shell);
    return app.ExitInstance();
}
