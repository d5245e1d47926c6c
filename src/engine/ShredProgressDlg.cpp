#include "engine/ShredProgressDlg.h"

#include <windows.h>
#include <commctrl.h>

#include "engine/EngineState.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "win/WideText.h"

BOOL ShredProgressDlg::OnInitDialog() {
    Dialog::SetTitle(texts_.Caption(9900, "Shredding....."));
    texts_.SetDlgItem(9901, IDCANCEL, Handle());
    texts_.SetDlgItem(15240, IDC_PROGRESS_TOTAL_LABEL, Handle());
    return TRUE;
}

void ShredProgressDlg::OnCancel() {
    state_.cancelRequested = true;
    SyncBars(true);  // show where the job stopped
    ::EnableWindow(Item(IDCANCEL), FALSE);
    if (mainWindow_ != nullptr) ::EnableWindow(mainWindow_, TRUE);
}

void ShredProgressDlg::SetTitle(const std::string& text) { Dialog::SetTitle(text); }
// The texts follow the bars' pace: a tree of small files would otherwise
// set and paint both lines for every file.
void ShredProgressDlg::SetStatus(const std::wstring& text) { status_.text = text; }
void ShredProgressDlg::SetDetail(const std::string& text) { detail_.text = win::WidenAnsi(text); }

void ShredProgressDlg::Show(int controlId, Line& line) {
    if (line.text == line.shown) return;
    SetItemText(controlId, line.text);
    line.shown = line.text;
}

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
    if (!force && synced_ && now - lastSync_ < kSyncIntervalMs) return false;
    Show(IDC_PROGRESS_STATUS, status_);
    Show(IDC_PROGRESS_DETAIL, detail_);
    Show(IDC_PROGRESS_ITEM, item_);
    Show(IDC_PROGRESS_OVERALL, overall_);
    lastSync_ = now;
    synced_ = true;
    return true;
}

void ShredProgressDlg::SetItemRange(int low, int high) {
    // Files of one size in a row keep the control's range.
    if (low == item_.low && high == item_.high && item_.shown != -1) return;
    item_.low = low;
    item_.high = high;
    item_.shown = -1;
    item_.Set(item_.position);
    ::SendMessageA(Item(IDC_PROGRESS_ITEM), PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
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
