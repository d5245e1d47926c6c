#include "ui/CMyPropertyPage1.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "algorithms/AlgorithmEditing.h"
#include "app/CShredApp.h"
#include "engine/Settings.h"
#include "engine/UserInteraction.h"
#include "res/resource.h"
#include "ui/PageCaptions.h"
#include "scheduler/TaskAlgorithmRenumbering.h"
#include "ui/CustomAlgorithmDlg.h"
#include "ui/LanguageListener.h"
#include "win/PropertySheet.h"
#include "win/UniqueResource.h"

namespace {

const PageCaption kCaptions[] = {
    {IDC_OPTIONS_ALGORITHM_GROUP, 9001}, {IDC_OPTIONS_NEW, 9002},    {IDC_OPTIONS_EDIT, 9003},
    {IDC_OPTIONS_DELETE, 9004},          {IDC_OPTIONS_LANGUAGE_GROUP, 9005}, {IDC_OPTIONS_UPDATE, 9000},
    {IDC_OPTIONS_UPDATE_GROUP, 9000}, {IDC_OPTIONS_VERIFY, 15310},
};

constexpr int kSchedulerPage = 5;
constexpr int kFlagSize = 16;

std::string SameCaseUpper(std::string text) {
    if (!text.empty()) ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

CMyPropertyPage1::CMyPropertyPage1(CShredApp& app)
    : CMyPropertyPage1(OptionsPageParts{app.algorithms(), app.algorithmStore(), app.settings(), app.texts(),
                                        app.programCaption(), app.methodIndex(), app.ui(), app.scheduler(),
                                        &app.look()}) {}

CMyPropertyPage1::CMyPropertyPage1(const OptionsPageParts& parts) : win::PropertyPage(IDD_OPTIONS_PAGE), parts_(parts) {
    // The language list's class must be registered before the template is created.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    // The page takes the sheet's own colours, as every other page does; the
    // program's dialog colours are for its dialogs (the editor keeps them).
}

BOOL CMyPropertyPage1::OnInitDialog() {
    const HWND box = Item(IDC_OPTIONS_ALGORITHM);
    for (size_t i = 0; i < parts_.algorithms.count(); ++i)
        ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(parts_.algorithms.at(i).name.c_str()));
    if (parts_.methodIndex < 0 || static_cast<size_t>(parts_.methodIndex) >= parts_.algorithms.count()) {
        parts_.methodIndex = 0;
        parts_.settings.Write(setting::kMethod, 0);
    }
    ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(parts_.methodIndex), 0);
    OnSelchangeAlgorithm();
    ::SendMessageA(Item(IDC_OPTIONS_VERIFY), BM_SETCHECK,
                   parts_.settings.Read(setting::kVerify) != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    SetCaptions();
    FillLanguageList();
    return TRUE;
}

bool CMyPropertyPage1::OnSetActive() {
    SetCaptions();
    return true;
}

void CMyPropertyPage1::SetCaptions() const {
    SetPageCaptions(parts_.texts, Handle(), kCaptions);
}

bool CMyPropertyPage1::OnCommand(WORD id, WORD code, HWND /*control*/) {
    switch (id) {
    case IDC_OPTIONS_ALGORITHM:
        if (code == CBN_SELCHANGE) OnSelchangeAlgorithm();
        return true;
    case IDC_OPTIONS_LANGUAGE:
        if (code == CBN_SELCHANGE) OnSelchangeLanguage();
        return true;
    case IDC_OPTIONS_VERIFY:
        // Stored at once, as every setting of the page is.
        if (code == BN_CLICKED)
            parts_.settings.Write(setting::kVerify,
                                  ::SendMessageA(Item(IDC_OPTIONS_VERIFY), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        return true;
    case IDC_OPTIONS_NEW: OnNew(); return true;
    case IDC_OPTIONS_EDIT: OnEdit(); return true;
    case IDC_OPTIONS_DELETE: OnDelete(); return true;
    default: return false;
    }
}

int CMyPropertyPage1::SelectedAlgorithm() const {
    return static_cast<int>(::SendMessageA(Item(IDC_OPTIONS_ALGORITHM), CB_GETCURSEL, 0, 0));
}

void CMyPropertyPage1::OnSelchangeAlgorithm() {
    const int selected = SelectedAlgorithm();
    if (selected < 0 || static_cast<size_t>(selected) >= parts_.algorithms.count()) return;
    parts_.methodIndex = selected;
    parts_.settings.Write(setting::kMethod, selected);
    const ShredAlgorithm& algorithm = parts_.algorithms.at(static_cast<size_t>(selected));
    SetItemText(IDC_OPTIONS_DESCRIPTION, algorithm.description);
    ::EnableWindow(Item(IDC_OPTIONS_EDIT), algorithm.isCustom ? TRUE : FALSE);
    ::EnableWindow(Item(IDC_OPTIONS_DELETE), algorithm.isCustom ? TRUE : FALSE);
}

void CMyPropertyPage1::OnNew() {
    const AlgorithmEditorParts editor{parts_.algorithms, parts_.store, parts_.texts, parts_.caption, parts_.ui,
                                      parts_.look};
    if (ShowCustomAlgorithmEditor(Handle(), editor, -1) != CustomAlgorithmDlg::kSaved) return;
    const ShredAlgorithm& added = parts_.algorithms.at(parts_.algorithms.count() - 1);
    ::SendMessageA(Item(IDC_OPTIONS_ALGORITHM), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(added.name.c_str()));
}

void CMyPropertyPage1::OnEdit() {
    const int selected = SelectedAlgorithm();
    if (selected < 0 || static_cast<size_t>(selected) >= parts_.algorithms.count()) return;
    const AlgorithmEditorParts editor{parts_.algorithms, parts_.store, parts_.texts, parts_.caption, parts_.ui,
                                      parts_.look};
    if (ShowCustomAlgorithmEditor(Handle(), editor, selected) != CustomAlgorithmDlg::kSaved) return;
    const HWND box = Item(IDC_OPTIONS_ALGORITHM);
    const ShredAlgorithm& edited = parts_.algorithms.at(static_cast<size_t>(selected));
    ::SendMessageA(box, CB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    ::SendMessageA(box, CB_INSERTSTRING, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(edited.name.c_str()));
    ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SetItemText(IDC_OPTIONS_DESCRIPTION, edited.description);
}

void CMyPropertyPage1::OnDelete() {
    const int selected = SelectedAlgorithm();
    if (selected < 0) return;
    AlgorithmEditing editing(parts_.algorithms, parts_.store);
    const std::string name = parts_.algorithms.at(static_cast<size_t>(selected)).name;
    switch (editing.Delete(static_cast<size_t>(selected))) {
    case AlgorithmStore::DeleteOutcome::Deleted: break;
    case AlgorithmStore::DeleteOutcome::Failed:
        // A key that cannot be deleted would bring the algorithm back at the
        // next start, so it stays in the list and in the box as well.
        parts_.ui.ShowMessage(parts_.texts.Text(9080), parts_.caption, MB_OK | MB_ICONERROR);
        return;
    case AlgorithmStore::DeleteOutcome::NotFound:
        // Someone else removed or renamed the key. Nothing was deleted, so
        // nothing moves: the list and the box keep the entry, and the
        // positions behind it keep meaning what the Method setting and every
        // task's "/O" mean in this session. The next start loads the store as
        // it is and moves the tasks' numbers itself where positions changed.
        ShowMessageWith(15243, name, MB_ICONWARNING);
        return;
    }
    ::SendMessageA(Item(IDC_OPTIONS_ALGORITHM), CB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    KeepTasksOnTheirAlgorithms(selected);
    ::SendMessageA(Item(IDC_OPTIONS_ALGORITHM), CB_SETCURSEL, 0, 0);
    OnSelchangeAlgorithm();
}

void CMyPropertyPage1::KeepTasksOnTheirAlgorithms(int32_t removed) {
    if (parts_.scheduler == nullptr || !parts_.scheduler->IsBound()) return;
    const RenumberReport report = RenumberTaskAlgorithms(
        *parts_.scheduler, [removed](int32_t position) { return PositionMove::AfterRemoval(position, removed); });
    TellTasks(15181, report.nowQuickShred);
    TellTasks(15182, report.notUpdated);
}

void CMyPropertyPage1::TellTasks(int id, const std::vector<std::string>& names) const {
    if (names.empty()) return;
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : "\n") + name;
    ShowMessageWith(id, list, MB_ICONWARNING);
}

void CMyPropertyPage1::ShowMessageWith(int id, const std::string& inserted, unsigned icon) const {
    std::string text = parts_.texts.Text(id);
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, inserted);
    parts_.ui.ShowMessage(text, parts_.caption, MB_OK | icon);
}

void CMyPropertyPage1::FillLanguageList() {
    const HWND list = Item(IDC_OPTIONS_LANGUAGE);
    flags_.Reset(::ImageList_Create(kFlagSize, kFlagSize, ILC_COLOR8 | ILC_MASK, 0, 4));
    const std::string folder = parts_.texts.programFolder();
    const std::string pattern = folder + "\\Lang\\*.ini";
    WIN32_FIND_DATAA found{};
    win::UniqueFindHandle listing(::FindFirstFileA(pattern.c_str(), &found));
    ::SendMessageA(list, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(flags_.Get()));
    if (!listing) return;
    do {
        const std::string file = found.cFileName;
        if (file.size() <= 4) continue;
        const std::string name = file.substr(0, file.size() - 4);
        // A name that could point outside the Lang folder is a language without a pack.
        const std::string flagPath = LanguagePack(folder, name).FlagPath();
        if (flagPath.empty()) continue;
        int image = -1;
        win::UniqueGdiObject flag(::LoadImageA(nullptr, flagPath.c_str(), IMAGE_BITMAP, kFlagSize, kFlagSize,
                                               LR_LOADFROMFILE));
        if (flag && flags_)
            image = ::ImageList_AddMasked(flags_.Get(), static_cast<HBITMAP>(flag.Get()), RGB(0, 0, 0));
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        // An item goes where its flag went in the image list, so every
        // language without a flag ends up behind those with one.
        item.iItem = image;
        item.pszText = const_cast<char*>(name.c_str());
        item.iImage = image;
        item.iSelectedImage = image;
        ::SendMessageA(list, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    } while (::FindNextFileA(listing.Get(), &found));

    const std::string current = SameCaseUpper(parts_.texts.currentLanguage());
    const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SameCaseUpper(LanguageItemText(i)) != current) continue;
        ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        break;
    }
}

std::string CMyPropertyPage1::LanguageItemText(int index) const {
    char text[LanguagePack::kNameLimit + 1] = {};
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(sizeof(text));
    if (!::SendMessageA(Item(IDC_OPTIONS_LANGUAGE), CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return std::string(text);
}

void CMyPropertyPage1::OnSelchangeLanguage() {
    const int selected = static_cast<int>(::SendMessageA(Item(IDC_OPTIONS_LANGUAGE), CB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    const std::string previous = parts_.texts.currentLanguage();
    const std::string chosen = LanguageItemText(selected);
    parts_.texts = LanguagePack(parts_.texts.programFolder(), chosen);
    if (chosen == previous) return;
    SetCaptions();
    parts_.settings.Write(setting::kLanguage, chosen);
    parts_.caption = parts_.texts.Caption(9610, "Vantrel");
    if (languageListener_ != nullptr) languageListener_->OnLanguageChanged();
    parts_.ui.ShowMessage(parts_.texts.Text(9061), parts_.caption, MB_OK | MB_ICONHAND);
    if (Sheet() != nullptr && Sheet()->PageCount() > static_cast<size_t>(kSchedulerPage)) {
        Sheet()->SetActivePage(kSchedulerPage);
        Sheet()->SetActivePage(0);
    }
}
