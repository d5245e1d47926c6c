#include "ui/MainWindowShell.h"

#include "app/CShredApp.h"
#include "ui/SplashWindow.h"

MainWindowShell::MainWindowShell(CShredApp& app) : app_(app), schedule_(app.tasks()) {}

MainWindowShell::~MainWindowShell() = default;

CMyPropertySheet& MainWindowShell::Sheet() {
    if (!sheet_) sheet_ = std::make_unique<CMyPropertySheet>(app_, schedule_);
    return *sheet_;
}

void MainWindowShell::ShowSplash() { ::ShowSplash(app_.texts()); }

void MainWindowShell::RunMainWindow() { Sheet().DoModal(nullptr); }

void MainWindowShell::CreateHiddenMainWindow() { Sheet().Create(nullptr, false); }
