#include "ui/MainWindowShell.h"

#include "app/CShredApp.h"

MainWindowShell::MainWindowShell(CShredApp& app)
    : app_(app), schedule_(app.tasks()), sheet_(std::make_unique<CMyPropertySheet>(app_, schedule_)) {}

MainWindowShell::~MainWindowShell() = default;

// SPLASH: the splash window opens here once it exists.
void MainWindowShell::ShowSplash() {}

void MainWindowShell::RunMainWindow() { sheet_->DoModal(nullptr); }

void MainWindowShell::CreateHiddenMainWindow() { sheet_->Create(nullptr, false); }
