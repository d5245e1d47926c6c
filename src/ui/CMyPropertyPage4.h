#pragma once
// The Shred Drive page: the local hard drives as start-up measured them, and
// "Shred Now" (free-space shredding at once) or "Schedule" (a task that does
// it later through the run mode) for the selected one.
#include <array>
#include <string>

#include "win/AutoFitListCtrl.h"
#include "win/PropertyPage.h"

class CShredApp;
class FreeSpaceJob;
class ScheduleRequests;

class CMyPropertyPage4 final : public win::PropertyPage {
public:
    CMyPropertyPage4(CShredApp& app, ScheduleRequests& schedule);
    // job: what Shred Now runs in place of the application's own shredder.
    CMyPropertyPage4(CShredApp& app, ScheduleRequests& schedule, FreeSpaceJob& job);

    // The handlers of the two buttons.
    void OnShredNow();
    void OnSchedule();

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillList();
    void SetCell(int row, int column, const std::string& text);
    // The drive root of the selected row; empty (after message 9075) without one.
    std::string SelectedRoot();

    CShredApp& app_;
    ScheduleRequests& schedule_;
    FreeSpaceJob& job_;
    win::AutoFitListCtrl list_;
    std::array<int, 4> widest_{};
    int driveOption_ = 0;  // handed to the task: 0 is free-space shredding
};
