#include "ui/MainWindowShell.h"

#include "app/CShredApp.h"
#include "ui/SplashWindow.h"

MainWindowShell::MainWindowShell(CShredApp& app)
    : app_(app), schedule_(app.tasks()), sheet_(std::make_unique<CMyPropertySheet>(app_, schedule_)) {}

MainWindowShell::~MainWindowShell() = default;

void MainWindowShell::ShowSplash() { ::ShowSplash(app_.texts()); }

void MainWindowShell::RunMainWindow() { sheet_->DoModal(nullptr); }

void MainWindowShell::CreateHiddenMainWindow() { sheet_->Create(nullptr, false); }
