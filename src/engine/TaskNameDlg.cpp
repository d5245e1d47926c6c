#include "engine/TaskNameDlg.h"

#include <vector>

#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "win/SkinEngine.h"

TaskNameDlg::TaskNameDlg(const LanguagePack& texts, const std::string& programCaption, SkinEngine& skin,
                         TaskNameCheck& check, const win::DialogLook* look)
    : Dialog(IDD_TASK_NAME), texts_(texts), programCaption_(programCaption), skin_(skin), check_(check) {
    SetLook(look);
}

bool TaskNameDlg::Run(HWND owner, std::string& name) {
    name_.clear();  // every showing starts with an empty name
    if (DoModal(owner) != IDOK) return false;
    name = name_;
    return true;
}

BOOL TaskNameDlg::OnInitDialog() {
    skin_.ApplySkin(Handle());
    SetTitle(texts_.Caption(10000, "Vantrel"));
    texts_.SetDlgItem(10001, IDC_TASK_NAME_PROMPT, Handle());
    texts_.SetDlgItem(10002, IDOK, Handle());
    texts_.SetDlgItem(10003, IDCANCEL, Handle());
    SetItemText(IDC_TASK_NAME_EDIT, "");
    ::SetFocus(Item(IDC_TASK_NAME_EDIT));
    return FALSE;  // the focus is in the name field
}

void TaskNameDlg::OnOK() {
    HWND field = Item(IDC_TASK_NAME_EDIT);
    const int length = ::GetWindowTextLengthA(field);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    ::GetWindowTextA(field, buffer.data(), static_cast<int>(buffer.size()));
    const std::string name(buffer.data());
    if (name.empty()) {
        Refuse(texts_.Text(9057));
        return;
    }
    const std::string refusal = check_.Refusal(name);
    if (!refusal.empty()) {
        Refuse(refusal);
        return;
    }
    name_ = name;
    Close(IDOK);
}

void TaskNameDlg::Refuse(const std::string& text) {
    ::MessageBoxA(Handle(), text.c_str(), programCaption_.c_str(), MB_OK | MB_ICONERROR);
    ::SetFocus(Item(IDC_TASK_NAME_EDIT));
}
