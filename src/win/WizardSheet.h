#pragma once
// A modal wizard of our own: a dialog with Back, Next, Finish and Cancel and
// one child page at a time, placed at a frame control of the template.
#include <windows.h>

#include <vector>

#include "win/Dialog.h"

namespace win {

class WizardPage;

class WizardSheet : public Dialog {
public:
    static constexpr int kBack = 12323;
    static constexpr int kNext = 12324;
    static constexpr int kFinish = 12325;

    // placeholder: the control whose rectangle gives the pages' place.
    WizardSheet(UINT templateId, int placeholder) noexcept : Dialog(templateId), placeholder_(placeholder) {}

    // In order; the pages must outlive the sheet's window.
    void AddPage(WizardPage& page) { pages_.push_back(&page); }
    size_t PageCount() const noexcept { return pages_.size(); }
    // -1 before the sheet runs.
    int ActiveIndex() const noexcept { return active_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override {}
    void OnCancel() override;

private:
    bool Activate(int index);
    int Resolve(int answer, int step) const;
    void Back();
    void Next();
    void Finish();
    void CloseWith(INT_PTR result);
    void ShowButton(int id, bool show) const;
    void EnableButton(int id, bool enable) const;

    int placeholder_;
    std::vector<WizardPage*> pages_;
    std::vector<bool> created_;
    int active_ = -1;
};

}  // namespace win
