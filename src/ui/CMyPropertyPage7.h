#pragma once
// The Restore Points page: the points start-up found, narrowed by the user,
// shredded (Shred Now) or scheduled (Schedule).
#include <string>
#include <vector>

#include "engine/RestorePointSource.h"
#include "ui/RestorePointRows.h"
#include "win/AutoFitListCtrl.h"
#include "win/PropertyPage.h"

class CShredApp;
class RestorePointShredder;
class ScheduleRequests;
class SkinEngine;
struct EngineContext;

class CMyPropertyPage7 final : public win::PropertyPage {
public:
    struct Parts {
        EngineContext& context;
        RestorePointShredder& jobs;
        std::vector<RestorePointRecord>& restorePoints;
        SkinEngine& skin;
        ScheduleRequests& schedule;
    };

    CMyPropertyPage7(CShredApp& app, ScheduleRequests& schedule);
    explicit CMyPropertyPage7(const Parts& parts);

    const std::vector<std::string>& folderList() const { return folders_; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Fill();
    void RefreshList();
    void RemoveItem();
    void RemoveAll();
    void ShredNow();
    void Schedule();
    void Clear();
    void FinishJob();
    // Takes every point the list shows off the program's list of points.
    void ForgetListedPoints();
    int Ask(int messageId, const std::string& caption);
    void ShowError(int messageId);
    bool SchedulerUnavailable() const;

    Parts parts_;
    win::AutoFitListCtrl list_;
    RestorePointRows rows_;
    std::vector<std::string> folders_;
};
