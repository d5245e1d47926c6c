#pragma once
// The Recycle Bin page: Shred Now (after the conflict notice, unless turned
// off) and Schedule.
#include "win/PropertyPage.h"

class CShredApp;
class RecycleBinShredder;
class ScheduleRequests;
class SkinEngine;
struct EngineContext;

class CMyPropertyPage5 final : public win::PropertyPage {
public:
    struct Parts {
        EngineContext& context;
        RecycleBinShredder& shredder;
        SkinEngine& skin;
        ScheduleRequests& schedule;
    };

    CMyPropertyPage5(CShredApp& app, ScheduleRequests& schedule);
    explicit CMyPropertyPage5(const Parts& parts) : win::PropertyPage(IDD), parts_(parts) {}

    // Button 1035; the run mode's word "recycle" calls it too.
    void ShredNow();
    void Schedule();

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    static constexpr UINT IDD = 108;
    bool SchedulerUnavailable() const;

    Parts parts_;
};
