#pragma once
// The interactive windows that start-up asks for: the main window, shown
// modally, or created hidden for a command-line run.
#include <memory>

#include "app/InteractiveWindows.h"
#include "ui/CMyPropertySheet.h"
#include "ui/TaskScheduleRequests.h"

class CShredApp;

class MainWindowShell final : public InteractiveWindows {
public:
    explicit MainWindowShell(CShredApp& app);
    ~MainWindowShell() override;

    void ShowSplash() override;
    void RunMainWindow() override;
    void CreateHiddenMainWindow() override;

private:
    // Built only when start-up asks for it: by then the machine is probed,
    // the settings and the language are read and the scheduling clients are
    // bound, and the pages take them as they are.
    CMyPropertySheet& Sheet();

    CShredApp& app_;
    TaskScheduleRequests schedule_;
    std::unique_ptr<CMyPropertySheet> sheet_;
};
