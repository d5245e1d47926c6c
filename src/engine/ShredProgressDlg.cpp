#include "engine/ShredProgressDlg.h"

#include <windows.h>
#include <commctrl.h>

#include "engine/EngineState.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"

BOOL ShredProgressDlg::OnInitDialog() {
    Dialog::SetTitle(texts_.Caption(9900, "Shredding....."));
    texts_.SetDlgItem(9901, IDCANCEL, Handle());
    return TRUE;
}

void ShredProgressDlg::OnCancel() {
    state_.cancelRequested = true;
    SyncBars(true);  // show where the job stopped
    ::EnableWindow(Item(IDCANCEL), FALSE);
    if (mainWindow_ != nullptr) ::EnableWindow(mainWindow_, TRUE);
}

void ShredProgressDlg::SetTitle(const std::string& text) { Dialog::SetTitle(text); }
void ShredProgressDlg::SetStatus(const std::string& text) { SetItemText(IDC_PROGRESS_STATUS, text); }
void ShredProgressDlg::SetDetail(const std::string& text) { SetItemText(IDC_PROGRESS_DETAIL, text); }

namespace {
constexpr DWORD kSyncIntervalMs = 250;
}

void ShredProgressDlg::Show(int controlId, Bar& bar) {
    if (bar.shown == bar.position) return;
    ::SendMessageA(Item(controlId), PBM_SETPOS, static_cast<WPARAM>(bar.position), 0);
    bar.shown = bar.position;
}

bool ShredProgressDlg::SyncBars(bool force) {
    const DWORD now = ::GetTickCount();
    if (!force && synced_ && now - lastSync_ < kSyncIntervalMs && item_.position != item_.high) return false;
    Show(IDC_PROGRESS_ITEM, item_);
    Show(IDC_PROGRESS_OVERALL, overall_);
    lastSync_ = now;
    synced_ = true;
    return true;
}

void ShredProgressDlg::SetItemRange(int low, int high) {
    item_.low = low;
    item_.high = high;
    item_.shown = -1;
    item_.Set(item_.position);
    ::SendMessageA(Item(IDC_PROGRESS_ITEM), PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    synced_ = false;  // a new item shows its first block at once
}
void ShredProgressDlg::SetItemPos(int position) {
    item_.Set(position);
    SyncBars(false);
}
int ShredProgressDlg::ItemPos() { return item_.position; }
void ShredProgressDlg::SetOverallRange(int low, int high) {
    overall_.low = low;
    overall_.high = high;
    overall_.shown = -1;
    overall_.Set(overall_.position);
    ::SendMessageA(Item(IDC_PROGRESS_OVERALL), PBM_SETRANGE32, static_cast<WPARAM>(low),
                   static_cast<LPARAM>(high));
    SyncBars(true);
}
void ShredProgressDlg::SetOverallPos(int position) {
    overall_.Set(position);
    SyncBars(false);
}
int ShredProgressDlg::OverallPos() { return overall_.position; }
void ShredProgressDlg::EnableCancel(bool enable) { ::EnableWindow(Item(IDCANCEL), enable ? TRUE : FALSE); }

void ShredProgressDlg::ShowAndEnable() {
    ::ShowWindow(Handle(), SW_SHOW);
    ::EnableWindow(Handle(), TRUE);
}

// Painting is as dear as moving a bar, so it follows the bars' pace; texts
// that change in between are painted when the job next processes messages.
void ShredProgressDlg::Repaint() {
    if (SyncBars(false)) ::UpdateWindow(Handle());
}
