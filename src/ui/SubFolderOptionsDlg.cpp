#include "ui/SubFolderOptionsDlg.h"

#include <shellapi.h>

#include "engine/MachineFacts.h"
#include "engine/Settings.h"
#include "engine/SettingsStore.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "ui/PageCaptions.h"
#include "win/SkinEngine.h"

namespace {

const PageCaption kCaptions[] = {
    {IDC_SUBFOLDER_SHRED_GROUP, 9700, 0},    {IDC_SUBFOLDER_SHRED_NEVER, 9701, 0},
    {IDC_SUBFOLDER_SHRED_PROMPT, 9702, 0},   {IDC_SUBFOLDER_SHRED_ALWAYS, 9703, 0},
    {IDC_SUBFOLDER_REMOVE_GROUP, 9704, 0},   {IDC_SUBFOLDER_REMOVE_NEVER, 9701, 0},
    {IDC_SUBFOLDER_REMOVE_PROMPT, 9702, 0},  {IDC_SUBFOLDER_REMOVE_ALWAYS, 9703, 0},
    {IDOK, 9706, 0},                         {IDCANCEL, 9705, 0},
    {IDC_SUBFOLDER_HELP, 9609, 0},
};

int32_t InRange(int32_t value) { return value < 0 || value > 2 ? 0 : value; }

}  // namespace

SubFolderOptionsDlg::SubFolderOptionsDlg(const PageServices& services)
    : win::Dialog(IDD_SUBFOLDER_OPTIONS), services_(services) {
    SetLook(services.look);
}

BOOL SubFolderOptionsDlg::OnInitDialog() {
    services_.skin.ApplySkin(Handle());
    const LanguagePack& texts = services_.context.texts;
    SetTitle(texts.Text(9208));
    SetPageCaptions(texts, Handle(), kCaptions);
    folder_ = services_.context.settings.Read(setting::kFolder);
    remove_ = services_.context.settings.Read(setting::kRemove);
    ::CheckRadioButton(Handle(), IDC_SUBFOLDER_SHRED_NEVER, IDC_SUBFOLDER_SHRED_ALWAYS,
                       IDC_SUBFOLDER_SHRED_NEVER + InRange(folder_));
    ::CheckRadioButton(Handle(), IDC_SUBFOLDER_REMOVE_NEVER, IDC_SUBFOLDER_REMOVE_ALWAYS,
                       IDC_SUBFOLDER_REMOVE_NEVER + InRange(remove_));
    EnableRemoveGroup();
    return TRUE;
}

bool SubFolderOptionsDlg::OnCommand(WORD id, WORD code, HWND /*control*/) {
    if (id >= IDC_SUBFOLDER_SHRED_NEVER && id <= IDC_SUBFOLDER_SHRED_ALWAYS && code == BN_CLICKED) {
        EnableRemoveGroup();
        return true;
    }
    if (id == IDC_SUBFOLDER_HELP) {
        OpenHelp();
        return true;
    }
    return false;
}

INT_PTR SubFolderOptionsDlg::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    if (message != WM_HELP) return FALSE;
    OpenHelp();
    return TRUE;
}

void SubFolderOptionsDlg::OnOK() {
    const SettingsStore& settings = services_.context.settings;
    const int32_t folder = Checked(IDC_SUBFOLDER_SHRED_NEVER);
    const int32_t remove = Checked(IDC_SUBFOLDER_REMOVE_NEVER);
    if (folder != folder_) settings.Write(setting::kFolder, folder);
    if (remove != remove_) settings.Write(setting::kRemove, remove);
    Close(IDOK);
}

int32_t SubFolderOptionsDlg::Checked(int firstRadio) const {
    for (int32_t i = 0; i < 3; ++i)
        if (::IsDlgButtonChecked(Handle(), firstRadio + i) == BST_CHECKED) return i;
    return 0;
}

void SubFolderOptionsDlg::EnableRemoveGroup() const {
    const BOOL enable = Checked(IDC_SUBFOLDER_SHRED_NEVER) != 0;
    for (int id : {IDC_SUBFOLDER_REMOVE_GROUP, IDC_SUBFOLDER_REMOVE_NEVER, IDC_SUBFOLDER_REMOVE_PROMPT,
                   IDC_SUBFOLDER_REMOVE_ALWAYS})
        ::EnableWindow(Item(id), enable);
}

void SubFolderOptionsDlg::OpenHelp() const {
    const std::string file = services_.context.machine.programFolder + "\\HLP\\Hlp.chm";
    ::ShellExecuteA(Handle(), "open", file.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

bool ShowSubFolderOptions(HWND owner, const PageServices& services) {
    SubFolderOptionsDlg dialog(services);
    return dialog.DoModal(owner) == IDOK;
}
