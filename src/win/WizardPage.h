#pragma once
// A page of a WizardSheet: a child dialog made from its template inside the
// sheet, drawn white with black text. The sheet calls the handlers below;
// the base versions accept everything.
#include <windows.h>

#include "win/Dialog.h"
#include "win/UniqueResource.h"

namespace win {

class WizardSheet;

class WizardPage : public Dialog {
public:
    explicit WizardPage(UINT templateId) noexcept : Dialog(templateId) {}

    UINT Template() const noexcept { return TemplateId(); }

    // After the window exists; false aborts the activation.
    virtual bool OnCreatePage() { return true; }
    virtual void OnDestroyPage() {}
    // False keeps the page active.
    virtual bool OnKillActive() { return true; }
    virtual void OnSetActive() {}
    // False keeps the sheet open.
    virtual bool OnQueryCancel() { return true; }
    // -1 stays, 0 goes to the neighbouring page, otherwise the template of the page to show.
    virtual int OnWizardBack() { return 0; }
    virtual int OnWizardNext() { return 0; }
    // False prevents finishing.
    virtual bool OnWizardFinish() { return true; }
    // Reads the controls into the page's own values.
    virtual void TakeValues() {}

protected:
    // Pages make their own set-up here; the base makes the white brush first.
    virtual BOOL OnInitPage() { return TRUE; }
    BOOL OnInitDialog() final;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter and Esc belong to the sheet.
    void OnOK() override {}
    void OnCancel() override {}

private:
    UniqueGdiObject whiteBrush_;
};

}  // namespace win
