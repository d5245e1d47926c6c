#include "ui/FirstRunPages.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "engine/RestorePointShredder.h"
#include "engine/RestorePointText.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "win/SkinEngine.h"

void OfferPage::Withhold(int reasonControl, std::string reason) {
    reasonControl_ = reasonControl;
    reason_ = std::move(reason);
}

BOOL OfferPage::OnInitPage() {
    // The question is a message, read whole; the box is a caption.
    ::SetDlgItemTextA(Handle(), IDC_WIZARD_OFFER_TEXT, texts_.Text(textId_).c_str());
    texts_.SetDlgItem(checkBoxTextId_, checkBox_, Handle());
    if (reasonControl_ != 0) {
        ::CheckDlgButton(Handle(), checkBox_, BST_UNCHECKED);
        ::EnableWindow(Item(checkBox_), FALSE);
        ::SetDlgItemTextA(Handle(), reasonControl_, reason_.c_str());
        ::ShowWindow(Item(reasonControl_), SW_SHOW);
    }
    skin_.ApplySkin(Handle());
    return TRUE;
}

// A withheld offer is never chosen, whatever a message did to its check box.
void OfferPage::TakeValues() {
    chosen_ = reasonControl_ == 0 && ::IsDlgButtonChecked(Handle(), checkBox_) == BST_CHECKED;
}

RestorePointsOfferPage::RestorePointsOfferPage(const LanguagePack& texts, SkinEngine& skin, UserInteraction& ui,
                                               std::string caption, const std::vector<RestorePointRecord>& points,
                                               RestorePointFolderFinder& finder)
    : WizardPage(IDD_WIZARD_RESTORE_POINTS), texts_(texts), skin_(skin), ui_(ui), caption_(std::move(caption)),
      points_(points), finder_(finder) {}

BOOL RestorePointsOfferPage::OnInitPage() {
    skin_.ApplySkin(Handle());
    list_.Attach(Item(IDC_WIZARD_POINT_LIST));
    list_.SetFullRowSelect();
    for (const int id : {14005, 14006, 14007, 14008}) list_.AddColumn(texts_.Text(id));
    ::SetDlgItemTextA(Handle(), IDC_WIZARD_OFFER_TEXT, texts_.Text(15228).c_str());
    texts_.SetDlgItem(15229, IDC_WIZARD_SHRED_POINTS, Handle());
    texts_.SetDlgItem(14003, IDC_WIZARD_REMOVE_POINT, Handle());
    texts_.SetDlgItem(14004, IDC_WIZARD_REMOVE_ALL_POINTS, Handle());
    for (const RestorePointRecord& point : points_) {
        const int row = list_.AddRow(point.description);
        list_.SetText(row, 1, point.creationTime);
        list_.SetText(row, 2, std::to_string(point.sequenceNumber));
        list_.SetText(row, 3, RestorePointTypeName(point.type));
        finder_.FindRestorePointFolders(point.sequenceNumber, folders_);
        numbers_.push_back(point.sequenceNumber);
        ++shown_;
    }
    return TRUE;
}

void RestorePointsOfferPage::TakeValues() { chosen_ = ::IsDlgButtonChecked(Handle(), IDC_WIZARD_SHRED_POINTS) == BST_CHECKED; }

void RestorePointsOfferPage::EnableList(bool enable) const {
    for (const int id : {IDC_WIZARD_POINT_LIST, IDC_WIZARD_REMOVE_POINT, IDC_WIZARD_REMOVE_ALL_POINTS})
        ::EnableWindow(Item(id), enable ? TRUE : FALSE);
}

bool RestorePointsOfferPage::OnCommand(WORD id, WORD /*code*/, HWND /*control*/) {
    switch (id) {
    case IDC_WIZARD_SHRED_POINTS:
        TakeValues();
        EnableList(chosen_);
        return true;
    case IDC_WIZARD_REMOVE_POINT: RemoveSelected(); return true;
    case IDC_WIZARD_REMOVE_ALL_POINTS: RemoveAll(); return true;
    default: return false;
    }
}

void RestorePointsOfferPage::RemoveSelected() {
    const int selected = list_.SelectedCount();
    if (selected == 0) {
        ui_.ShowMessage(texts_.Text(9089), caption_, MB_ICONSTOP);
        return;
    }
    for (int i = 0; i < selected; ++i) {
        const int row = list_.FirstSelected();
        if (row < 0) break;
        const int sequence = std::atoi(list_.Text(row, 2).c_str());
        RestorePointShredder::RemoveRestorePointFolders(static_cast<int16_t>(sequence), folders_);
        const auto listed = std::find(numbers_.begin(), numbers_.end(), static_cast<int16_t>(sequence));
        if (listed != numbers_.end()) numbers_.erase(listed);
        list_.DeleteRow(row);
        --shown_;
    }
}

void RestorePointsOfferPage::RemoveAll() {
    // Shadow copies have no folders: what is listed is the rows.
    if (finder_.RestorePointsAreShadowCopies() ? shown_ == 0 : folders_.empty()) {
        ui_.ShowMessage(texts_.Text(9090), caption_, MB_ICONSTOP);
        return;
    }
    if (ui_.ShowMessage(texts_.Text(9091), caption_, MB_YESNO | MB_DEFBUTTON2 | MB_ICONSTOP) != IDYES) return;
    Clear();
}

void RestorePointsOfferPage::Clear() {
    shown_ = 0;
    if (::IsWindow(list_.Handle())) list_.DeleteAllRows();
    folders_.clear();
    numbers_.clear();
}
