#include <windows.h>

#include "app/CShredApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    CShredApp app;
    app.InitInstance(commandLine != nullptr ? commandLine : "");
    return app.ExitInstance();
}
