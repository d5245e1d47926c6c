#pragma once
// The Scheduler page: this program's scheduled tasks, their properties, Run
// Now, Delete Task, Delete All, and the activity log.
#include <functional>
#include <string>

#include "ui/ScheduledTasks.h"
#include "win/AutoFitListCtrl.h"
#include "win/FsPath.h"
#include "win/PropertyPage.h"

class CShredApp;
class LanguagePack;
class SkinEngine;
class TaskClient;
class TaskSchedulerClient;
class UserInteraction;
struct MachineFacts;

class CMyPropertyPage6 final : public win::PropertyPage {
public:
    struct Parts {
        const LanguagePack& texts;
        const std::string& programCaption;
        UserInteraction& ui;
        const MachineFacts& machine;
        SkinEngine& skin;
        TaskSchedulerClient* scheduler;  // null while the component is missing
        TaskClient* currentTask;
    };
    // Opens the log: owner, the file's full path, the folder to work in.
    using LogOpener = std::function<void(HWND, const win::FsPath&, const win::FsPath&)>;

    explicit CMyPropertyPage6(CShredApp& app);
    explicit CMyPropertyPage6(const Parts& parts);

    // The shell by default.
    void SetLogOpener(LogOpener opener) { openLog_ = std::move(opener); }
    int columnWidth() const { return columnWidth_; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void FillList();
    // The selected row, or -1 after telling the user none is.
    int SelectedRow();
    void Act(ScheduledTasks::Outcome (ScheduledTasks::*action)(size_t));
    void DeleteAll();
    void ViewLog();
    void TaskGone(int messageId);
    void ShowError(int messageId);
    // False without the component: the page is then disabled as a whole.
    bool Available() const;
    void DisablePage();

    Parts parts_;
    ScheduledTasks tasks_;
    win::AutoFitListCtrl list_;
    int columnWidth_ = 0;  // widest name seen, at least the header's; never shrinks
    LogOpener openLog_;
};
