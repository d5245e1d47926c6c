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

    CMyPropertySheet& mainWindow() { return *sheet_; }

private:
    CShredApp& app_;
    TaskScheduleRequests schedule_;
    std::unique_ptr<CMyPropertySheet> sheet_;
};
