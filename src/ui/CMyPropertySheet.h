#pragma once
// The main window: a property sheet with every page of the program, the
// program's title and icon, the relabelled standard buttons, the help file,
// and its hiding place in the notification area while minimised.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/JobGuard.h"
#include "ui/LanguageListener.h"
#include "ui/ShellOpener.h"
#include "ui/TrayIcon.h"
#include "win/PropertySheet.h"
#include "win/PropertyPage.h"
#include "win/UniqueResource.h"

class CShredApp;
class ScheduleRequests;

class CMyPropertySheet final : public win::PropertySheet, public JobHost, public LanguageListener {
public:
    static constexpr int kPageCount = 8;
    enum PageIndex : int {
        kOptionsPage = 0,
        kFilesPage = 1,
        kFoldersPage = 2,
        kDrivePage = 3,
        kRecycleBinPage = 4,
        kSchedulerPage = 5,
        kRestorePointsPage = 6,
        kAboutPage = 7,
    };

    CMyPropertySheet(CShredApp& app, ScheduleRequests& schedule);
    // With pages of the caller's choice, in tab order (tests).
    CMyPropertySheet(CShredApp& app, std::vector<std::unique_ptr<win::PropertyPage>> pages);
    ~CMyPropertySheet() override;

    // Tab captions (keys 9600 + i), the title and programCaption (9610), and
    // the three buttons. Also called by the Options page after a language change.
    void ApplyLanguage();
    // False when the tray icon could not be added (the window stays as it was).
    bool MinimizeToTray();
    void RestoreFromTray();
    // The close box, the tray's Exit and the Exit button: removes the tray
    // icon and ends the sheet; while a job runs, stops it and closes once it
    // has returned.
    void RequestClose();
    void OpenHelp();
    bool TrayIconPresent() const noexcept { return tray_.Present(); }
    bool ClosePending() const noexcept { return closePending_; }
    // Tests record the help path instead of opening it.
    void SetShellOpener(ShellOpener& opener) noexcept { opener_ = &opener; }

    void OnJobEnded() override;
    // The Options page switched the language.
    void OnLanguageChanged() override { ApplyLanguage(); }

protected:
    void OnInitSheet() override;
    bool OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AdjustFrame();
    void CenterOnDesktop();
    void SetIcons();
    void EnableToolTips();
    void RunFirstRunWizardIfDue();
    bool OnTrayMessage(WPARAM wParam, LPARAM lParam);
    void ShowTrayMenu();
    void CloseNow();
    void Paint();

    CShredApp& app_;
    std::vector<std::unique_ptr<win::PropertyPage>> pages_;
    HICON icon_ = nullptr;       // shared resource icons: never destroyed
    HICON smallIcon_ = nullptr;
    TrayIcon tray_;
    // What the shell broadcasts when its taskbar has started (again).
    const UINT taskbarCreatedMessage_ = ::RegisterWindowMessageA("TaskbarCreated");
    win::UniqueMenu trayMenu_;
    win::UniqueWindow toolTips_;
    ShellExecuteOpener shellOpener_;
    ShellOpener* opener_ = &shellOpener_;
    std::vector<std::string> ownTabCaptions_;  // the pages' template captions
    bool closePending_ = false;
    bool closing_ = false;
};
