#include "engine/NoticeDlg.h"

#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "win/SkinEngine.h"

NoticeDlg::NoticeDlg(Mode mode, const LanguagePack& texts, std::string caption, SkinEngine& skin,
                     const win::DialogLook* look)
    : Dialog(mode == SolidStateDrive ? IDD_SOLID_STATE_NOTICE : IDD_NOTICE), mode_(mode), texts_(texts), caption_(std::move(caption)), skin_(skin) {
    SetLook(look);
}

NoticeDlg::NoticeResult NoticeDlg::Run(HWND owner) {
    dontShowAgain_ = 0;  // a second showing starts unticked
    const bool ok = DoModal(owner) == IDOK;
    return {ok, ok ? dontShowAgain_ : 0};
}

BOOL NoticeDlg::OnInitDialog() {
    skin_.ApplySkin(Handle());
    const int text = mode_ == SolidStateDrive ? 15320 : mode_ == RecycleBinConflict ? 9062 : 11000;
    SetItemText(IDC_NOTICE_TEXT, texts_.Text(text));
    SetTitle(caption_);
    SetItemText(IDC_NOTICE_DONT_SHOW, texts_.Text(11001));
    SetItemText(IDOK, texts_.Text(11002));
    ::SetFocus(Item(IDOK));
    return FALSE;  // the focus is set above
}

void NoticeDlg::OnOK() {
    dontShowAgain_ = ::IsDlgButtonChecked(Handle(), IDC_NOTICE_DONT_SHOW) == BST_CHECKED ? 1 : 0;
    Close(IDOK);
}
