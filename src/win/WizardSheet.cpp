#include "win/WizardSheet.h"

#include "win/WizardPage.h"

namespace win {

BOOL WizardSheet::OnInitDialog() {
    // Tab moves into the pages.
    ::SetWindowLongA(Handle(), GWL_EXSTYLE, ::GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    created_.assign(pages_.size(), false);
    active_ = -1;
    ShowButton(kBack, false);
    ShowButton(kFinish, false);
    const bool single = pages_.size() < 2;
    EnableButton(kFinish, single);
    EnableButton(kNext, !single);
    if (!pages_.empty()) Activate(0);
    return TRUE;
}

bool WizardSheet::Activate(int index) {
    WizardPage& page = *pages_[static_cast<size_t>(index)];
    if (!created_[static_cast<size_t>(index)]) {
        if (!page.Create(Handle())) return false;
        if (!page.OnCreatePage()) {
            page.Destroy();
            return false;
        }
        created_[static_cast<size_t>(index)] = true;
    }
    if (active_ >= 0 && active_ != index) {
        WizardPage& current = *pages_[static_cast<size_t>(active_)];
        if (!current.OnKillActive()) return false;
        ::ShowWindow(current.Handle(), SW_HIDE);
        active_ = -1;
    }
    RECT frame{};
    ::GetWindowRect(Item(placeholder_), &frame);
    ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&frame), 2);
    ::SetWindowPos(page.Handle(), HWND_TOP, frame.left, frame.top, 0, 0, SWP_NOSIZE);
    ::EnableWindow(page.Handle(), TRUE);
    ::ShowWindow(page.Handle(), SW_SHOW);
    ::UpdateWindow(page.Handle());
    page.OnSetActive();
    active_ = index;
    return true;
}

// The index an answer of wizard back or next leads to, or -1.
int WizardSheet::Resolve(int answer, int step) const {
    if (answer == -1) return -1;
    if (answer == 0) {
        const int target = active_ + step;
        return target >= 0 && target < static_cast<int>(pages_.size()) ? target : -1;
    }
    for (size_t i = 0; i < pages_.size(); ++i)
        if (static_cast<int>(pages_[i]->Template()) == answer) return static_cast<int>(i);
    return -1;
}

void WizardSheet::Back() {
    if (active_ < 0) return;
    const int target = Resolve(pages_[static_cast<size_t>(active_)]->OnWizardBack(), -1);
    if (target < 0 || !Activate(target)) return;
    if (active_ == 0) {
        EnableButton(kBack, false);
        ShowButton(kBack, false);
        ShowButton(kFinish, false);
        ShowButton(kNext, true);
    }
    EnableButton(kNext, true);
}

void WizardSheet::Next() {
    if (active_ < 0) return;
    const int target = Resolve(pages_[static_cast<size_t>(active_)]->OnWizardNext(), 1);
    if (target < 0 || !Activate(target)) return;
    if (active_ == static_cast<int>(pages_.size()) - 1) {
        EnableButton(kNext, false);
        ShowButton(kNext, false);
        EnableButton(kFinish, true);
    }
    EnableButton(kBack, true);
    ShowButton(kBack, true);
    ShowButton(kFinish, true);
}

void WizardSheet::Finish() {
    if (active_ >= 0 && !pages_[static_cast<size_t>(active_)]->OnKillActive()) return;
    for (size_t i = 0; i < pages_.size(); ++i)
        if (created_[i] && !pages_[i]->OnWizardFinish()) return;
    for (size_t i = 0; i < pages_.size(); ++i)
        if (created_[i]) pages_[i]->TakeValues();
    CloseWith(kFinish);
}

void WizardSheet::OnCancel() {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (created_[i] && !pages_[i]->OnQueryCancel()) return;
    CloseWith(IDCANCEL);
}

void WizardSheet::CloseWith(INT_PTR result) {
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (!created_[i]) continue;
        // A page that refuses to be left keeps its window until the sheet's goes.
        if (!pages_[i]->OnKillActive()) continue;
        pages_[i]->OnDestroyPage();
        pages_[i]->Destroy();
        created_[i] = false;
    }
    active_ = -1;
    Close(result);
}

bool WizardSheet::OnCommand(WORD id, WORD /*code*/, HWND /*control*/) {
    switch (id) {
    case kBack: Back(); return true;
    case kNext: Next(); return true;
    case kFinish: Finish(); return true;
    default: return false;
    }
}

void WizardSheet::ShowButton(int id, bool show) const { ::ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }

void WizardSheet::EnableButton(int id, bool enable) const { ::EnableWindow(Item(id), enable ? TRUE : FALSE); }

}  // namespace win
