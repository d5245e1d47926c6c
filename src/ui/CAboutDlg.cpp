#include "ui/CAboutDlg.h"

#include "app/CShredApp.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "win/SkinEngine.h"
#include "win/VersionResource.h"

namespace {

// Controls whose template text names the version entry that replaces it.
const int kVersionControls[] = {IDC_ABOUT_COPYRIGHT, IDC_ABOUT_VERSION};

}  // namespace

CAboutDlg::CAboutDlg(const LanguagePack& texts, SkinEngine& skin)
    : PropertyPage(IDD_ABOUT_PAGE), texts_(texts), skin_(skin) {}

CAboutDlg::CAboutDlg(CShredApp& app) : CAboutDlg(app.texts(), app.skin()) {}

BOOL CAboutDlg::OnInitDialog() {
    skin_.ApplySkin(Handle());
    ApplyCaptions();
    ApplyVersionTexts();
    link_.Attach(Item(IDC_ABOUT_LINK));
    link_.SetTarget(kMakersSite);
    link_.EnableToolTip(true);
    link_.SetToolTipText(texts_.Text(9084));
    link_.SetToolTipColours(RGB(255, 255, 255), RGB(0, 0, 0));
    link_.SetVisitedColour(kVisitedColour);
    return TRUE;
}

bool CAboutDlg::OnSetActive() {
    ApplyCaptions();
    return true;
}

void CAboutDlg::ApplyCaptions() const {
    texts_.SetDlgItem(10100, IDC_ABOUT_VERSION_LABEL, Handle());
    SetTitle(texts_.Caption(10101, texts_.Text(10101)));
}

void CAboutDlg::ApplyVersionTexts() const {
    const win::VersionResource version;
    if (!version.Present()) return;
    for (const int control : kVersionControls) {
        char name[256] = {};
        ::GetDlgItemTextA(Handle(), control, name, sizeof(name));
        const std::string value = version.Entry(name);
        if (!value.empty()) SetItemText(control, value);
    }
}

INT_PTR CAboutDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == link_.Handle() && link_.Handle() != nullptr)
        return reinterpret_cast<INT_PTR>(link_.OnCtlColor(reinterpret_cast<HDC>(wParam)));
    return PropertyPage::OnMessage(message, wParam, lParam);
}
