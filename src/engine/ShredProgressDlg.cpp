#include "engine/ShredProgressDlg.h"

#include <windows.h>
#include <commctrl.h>

#include "app/EngineState.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"

BOOL ShredProgressDlg::OnInitDialog() {
    Dialog::SetTitle(texts_.Caption(9900, "Shredding....."));
    texts_.SetDlgItem(9901, IDCANCEL, Handle());
    return TRUE;
}

void ShredProgressDlg::OnCancel() {
    state_.cancelRequested = true;
    ::EnableWindow(Item(IDCANCEL), FALSE);
    if (mainWindow_ != nullptr) ::EnableWindow(mainWindow_, TRUE);
}

void ShredProgressDlg::SetTitle(const std::string& text) { Dialog::SetTitle(text); }
void ShredProgressDlg::SetStatus(const std::string& text) { SetItemText(IDC_PROGRESS_STATUS, text); }
void ShredProgressDlg::SetDetail(const std::string& text) { SetItemText(IDC_PROGRESS_DETAIL, text); }

void ShredProgressDlg::SetItemRange(int low, int high) {
    ::SendMessageA(Item(IDC_PROGRESS_ITEM), PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}
void ShredProgressDlg::SetItemPos(int position) {
    ::SendMessageA(Item(IDC_PROGRESS_ITEM), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
int ShredProgressDlg::ItemPos() {
    return static_cast<int>(::SendMessageA(Item(IDC_PROGRESS_ITEM), PBM_GETPOS, 0, 0));
}
void ShredProgressDlg::SetOverallRange(int low, int high) {
    ::SendMessageA(Item(IDC_PROGRESS_OVERALL), PBM_SETRANGE32, static_cast<WPARAM>(low),
                   static_cast<LPARAM>(high));
}
void ShredProgressDlg::SetOverallPos(int position) {
    ::SendMessageA(Item(IDC_PROGRESS_OVERALL), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
int ShredProgressDlg::OverallPos() {
    return static_cast<int>(::SendMessageA(Item(IDC_PROGRESS_OVERALL), PBM_GETPOS, 0, 0));
}
void ShredProgressDlg::EnableCancel(bool enable) { ::EnableWindow(Item(IDCANCEL), enable ? TRUE : FALSE); }

void ShredProgressDlg::ShowAndEnable() {
    ::ShowWindow(Handle(), SW_SHOW);
    ::EnableWindow(Handle(), TRUE);
}

void ShredProgressDlg::Repaint() { ::UpdateWindow(Handle()); }
