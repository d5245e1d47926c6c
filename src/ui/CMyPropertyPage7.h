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
class ShadowCopyRestorePoints;
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
        // The road of Vista and later, taken when the machine's points are
        // shadow copies; without it the page keeps the folder road.
        ShadowCopyRestorePoints* shadowCopies = nullptr;
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
    std::vector<int16_t> ListedPoints() const;
    bool ShadowCopyRoad() const;
    // Removes the points shown through the system and drops their rows.
    void RemoveShownPoints();
    void ScheduleEveryPoint();
    int Ask(int messageId, const std::string& caption);
    void ShowError(int messageId);
    bool SchedulerUnavailable() const;

    Parts parts_;
    win::AutoFitListCtrl list_;
    RestorePointRows rows_;
    std::vector<std::string> folders_;
};
