#include "ui/CustomAlgorithmDlg.h"

#include <commctrl.h>

#include <vector>

#include "algorithms/PassText.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"

namespace {

constexpr int kNumberColumnWidth = 40;

}  // namespace

CustomAlgorithmDlg::CustomAlgorithmDlg(const AlgorithmEditorParts& parts, int32_t editedIndex)
    : win::Dialog(IDD_CUSTOM_ALGORITHM), parts_(parts), editedIndex_(editedIndex) {
    SetLook(parts.look);
}

BOOL CustomAlgorithmDlg::OnInitDialog() {
    ::SendMessageA(Item(IDC_EDITOR_NAME), EM_LIMITTEXT, AlgorithmEditing::kNameLimit, 0);
    ::SendMessageA(Item(IDC_EDITOR_DESCRIPTION), EM_LIMITTEXT, AlgorithmEditing::kDescriptionLimit, 0);
    ::SendMessageA(Item(IDC_EDITOR_PATTERN), EM_LIMITTEXT, AlgorithmEditing::kPatternDigitLimit, 0);
    passes_.Attach(Item(IDC_EDITOR_PASSES));
    passes_.SetFullRowSelect();
    passes_.AddColumn("#", kNumberColumnWidth);
    passes_.AddColumn(parts_.texts.Text(13012));
    SetPatternField("00");
    const bool edited = editedIndex_ >= 0 && static_cast<size_t>(editedIndex_) < parts_.algorithms.count();
    if (!edited) {
        editedIndex_ = -1;
        CheckKind(IDC_EDITOR_PATTERN_RADIO);
        return TRUE;
    }
    LoadEdited();
    return TRUE;
}

void CustomAlgorithmDlg::LoadEdited() {
    const ShredAlgorithm& algorithm = parts_.algorithms.at(static_cast<size_t>(editedIndex_));
    EnablePassControls(true);
    SetItemText(IDC_EDITOR_NAME, algorithm.name);
    SetItemText(IDC_EDITOR_DESCRIPTION, algorithm.description);
    for (size_t i = 0; i < algorithm.passes.size(); ++i) {
        const int row = passes_.AddRow(std::to_string(i + 1));
        const std::string text = pass_text::FromPass(algorithm.passes[i]);
        SetRowText(row, text);
        if (algorithm.passes[i].IsPattern()) SetPatternField(pass_text::FieldText(text));
    }
    if (passes_.RowCount() > 0) passes_.Select(0);
}

void CustomAlgorithmDlg::EnablePassControls(bool enable) const {
    for (int id : {IDC_EDITOR_SAVE, IDC_EDITOR_PATTERN, IDC_EDITOR_PATTERN_RADIO, IDC_EDITOR_RANDOM_RADIO,
                   IDC_EDITOR_COMPLEMENT_RADIO})
        ::EnableWindow(Item(id), enable ? TRUE : FALSE);
}

bool CustomAlgorithmDlg::OnCommand(WORD id, WORD code, HWND /*control*/) {
    switch (id) {
    case IDC_EDITOR_ADD: AddPass(); return true;
    case IDC_EDITOR_DELETE: DeletePass(); return true;
    case IDC_EDITOR_UP: MovePass(-1); return true;
    case IDC_EDITOR_DOWN: MovePass(1); return true;
    case IDC_EDITOR_PATTERN_RADIO:
    case IDC_EDITOR_RANDOM_RADIO:
    case IDC_EDITOR_COMPLEMENT_RADIO:
        if (code == BN_CLICKED) ChooseKind(id);
        return true;
    case IDC_EDITOR_PATTERN:
        if (code == EN_CHANGE) PatternTyped();
        return true;
    case IDC_EDITOR_SAVE: Save(); return true;
    default: return false;
    }
}

bool CustomAlgorithmDlg::OnNotify(const NMHDR& header, LRESULT& /*result*/) {
    if (header.idFrom != IDC_EDITOR_PASSES || header.code != LVN_ITEMCHANGED) return false;
    const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (change.iItem < 0 || (change.uChanged & LVIF_STATE) == 0) return false;
    const bool nowChosen = (change.uNewState & (LVIS_SELECTED | LVIS_FOCUSED)) != 0;
    if (nowChosen && (change.uOldState & LVIS_SELECTED) == 0) RowSelected(change.iItem);
    return false;
}

void CustomAlgorithmDlg::AddPass() {
    const int row = passes_.AddRow(std::to_string(passes_.RowCount() + 1));
    if (row < 0) return;
    SetRowText(row, "00");
    SetPatternField("00");
    CheckKind(IDC_EDITOR_PATTERN_RADIO);
    EnablePassControls(true);
    passes_.Select(row);
}

void CustomAlgorithmDlg::DeletePass() {
    const int row = SelectedRowOrWarn();
    if (row < 0) return;
    passes_.DeleteRow(row);
    const int count = passes_.RowCount();
    for (int k = row; k < count; ++k) passes_.SetText(k, 0, std::to_string(k + 1));
    if (count == 0) {
        EnablePassControls(false);
        return;
    }
    passes_.Select(row < count ? row : count - 1);
}

void CustomAlgorithmDlg::MovePass(int step) {
    const int row = SelectedRowOrWarn();
    if (row < 0) return;
    const int other = row + step;
    if (other < 0 || other >= passes_.RowCount()) return;
    const std::string moving = passes_.Text(row, 1);
    SetRowText(row, passes_.Text(other, 1));
    SetRowText(other, moving);
    passes_.Select(other);
}

void CustomAlgorithmDlg::ChooseKind(int radio) {
    const int row = SelectedRowOrWarn();
    if (row < 0) return;
    CheckKind(radio);
    if (radio == IDC_EDITOR_RANDOM_RADIO || radio == IDC_EDITOR_COMPLEMENT_RADIO) {
        ::EnableWindow(Item(IDC_EDITOR_PATTERN), FALSE);
        SetRowText(row, radio == IDC_EDITOR_RANDOM_RADIO ? pass_text::kRandom : pass_text::kComplement);
        return;
    }
    ::EnableWindow(Item(IDC_EDITOR_PATTERN), TRUE);
    SetRowText(row, RowFromPatternField());
}

void CustomAlgorithmDlg::PatternTyped() {
    // Texts the editor puts into the field itself are not typing.
    if (fillingField_ || ::GetFocus() != Item(IDC_EDITOR_PATTERN)) return;
    const int row = SelectedRowOrWarn();
    if (row < 0) return;
    CheckKind(IDC_EDITOR_PATTERN_RADIO);
    SetRowText(row, RowFromPatternField());
}

std::string CustomAlgorithmDlg::RowFromPatternField() const {
    // Text set from outside is not held to the field's limit.
    return pass_text::FromTyped(FieldText(IDC_EDITOR_PATTERN).substr(0, AlgorithmEditing::kPatternDigitLimit));
}

void CustomAlgorithmDlg::RowSelected(int row) {
    // A first pass has no previous pass to complement.
    ::EnableWindow(Item(IDC_EDITOR_COMPLEMENT_RADIO), row > 0 ? TRUE : FALSE);
    const std::string text = passes_.Text(row, 1);
    if (text == pass_text::kRandom || text == pass_text::kComplement) {
        CheckKind(text == pass_text::kRandom ? IDC_EDITOR_RANDOM_RADIO : IDC_EDITOR_COMPLEMENT_RADIO);
        ::EnableWindow(Item(IDC_EDITOR_PATTERN), FALSE);
        return;
    }
    CheckKind(IDC_EDITOR_PATTERN_RADIO);
    ::EnableWindow(Item(IDC_EDITOR_PATTERN), TRUE);
    SetPatternField(pass_text::FieldText(text));
}

void CustomAlgorithmDlg::SetRowText(int row, const std::string& text) {
    passes_.SetText(row, 1, text);
    passes_.FitColumn(1);
}

void CustomAlgorithmDlg::SetPatternField(const std::string& text) {
    fillingField_ = true;
    SetItemText(IDC_EDITOR_PATTERN, text);
    fillingField_ = false;
}

void CustomAlgorithmDlg::CheckKind(int radio) const {
    ::CheckRadioButton(Handle(), IDC_EDITOR_PATTERN_RADIO, IDC_EDITOR_COMPLEMENT_RADIO, radio);
}

void CustomAlgorithmDlg::Save() {
    EditedAlgorithm edited;
    edited.editedIndex = editedIndex_;
    for (int row = 0; row < passes_.RowCount(); ++row) edited.rows.push_back(passes_.Text(row, 1));
    if (!AlgorithmEditing::PatternsValid(edited)) {
        Warn(9085, MB_ICONERROR);
        ::SetFocus(Item(IDC_EDITOR_PATTERN));
        return;
    }
    // The name whole: a stored one may be longer than the field lets anyone
    // type, and a cut one would be saved as a rename.
    edited.name = FieldText(IDC_EDITOR_NAME);
    edited.description = FieldText(IDC_EDITOR_DESCRIPTION).substr(0, AlgorithmEditing::kDescriptionLimit);
    AlgorithmEditing editing(parts_.algorithms, parts_.store);
    switch (editing.Check(edited)) {
    case EditCheck::Ok: break;
    case EditCheck::BadPattern: return;  // told above
    case EditCheck::EmptyName:
        Warn(9070, MB_ICONERROR);
        ::SetFocus(Item(IDC_EDITOR_NAME));
        return;
    case EditCheck::NameNotSavable:
        Warn(15241, MB_ICONERROR);
        ::SetFocus(Item(IDC_EDITOR_NAME));
        return;
    case EditCheck::NameTaken:
        Warn(9071, MB_ICONERROR);
        ::SetFocus(Item(IDC_EDITOR_NAME));
        return;
    case EditCheck::NameTakenOtherCase:
        Warn(15180, MB_ICONERROR);
        ::SetFocus(Item(IDC_EDITOR_NAME));
        return;
    case EditCheck::EmptyDescription:
        Warn(9072, MB_ICONERROR);
        ::SetFocus(Item(IDC_EDITOR_DESCRIPTION));
        return;
    case EditCheck::PassesNotSavable:
        Warn(15242, MB_ICONERROR);
        ::SetFocus(Item(IDC_EDITOR_PASSES));
        return;
    }
    if (editing.Save(edited)) {
        Finish(kSaved);
        return;
    }
    Warn(9073, MB_ICONERROR);
    Finish(kNotSaved);
}

void CustomAlgorithmDlg::Finish(INT_PTR result) {
    result_ = result;
    Close(result);
}

int CustomAlgorithmDlg::SelectedRowOrWarn() {
    const int row = passes_.FirstSelected();
    if (row < 0) Warn(9074, MB_ICONEXCLAMATION);
    return row;
}

void CustomAlgorithmDlg::Warn(int id, unsigned icon) const {
    parts_.ui.ShowMessage(parts_.texts.Text(id), parts_.caption, MB_OK | icon);
}

std::string CustomAlgorithmDlg::FieldText(int controlId) const {
    const HWND control = Item(controlId);
    const int length = ::GetWindowTextLengthA(control);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int read = ::GetWindowTextA(control, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(read > 0 ? read : 0));
}

INT_PTR ShowCustomAlgorithmEditor(HWND owner, const AlgorithmEditorParts& parts, int32_t editedIndex) {
    CustomAlgorithmDlg dialog(parts, editedIndex);
    const INT_PTR result = dialog.DoModal(owner);
    return result == CustomAlgorithmDlg::kSaved ? result : CustomAlgorithmDlg::kNotSaved;
}
