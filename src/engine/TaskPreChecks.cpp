// The pre-checks that run when files or folders are put into a scheduled
// task. They only read the tree; what they decide reaches the task's command
// line through the "Folder" and "Remove" settings.
#include "engine/EngineState.h"
#include "engine/SettingsStore.h"
#include "engine/FolderListing.h"
#include "engine/FolderShredder.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"

namespace {

constexpr DWORD kWarnedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

int FolderShredder::CheckTaskFile(const win::FsPath& path) { return CheckTaskEntry(path, false); }

int FolderShredder::CheckTaskFolderFile(const win::FsPath& path) { return CheckTaskEntry(path, true); }

int FolderShredder::CheckTaskEntry(const win::FsPath& path, bool insideFolder) {
    WIN32_FIND_DATAW status{};
    if (!QueryPathStatus(path, status)) {
        const std::wstring text = WithPath(context_.texts.Text(9034), path.Text());
        context_.ui.ShowMessage(text, context_.programCaption, insideFolder ? MB_OK | MB_ICONERROR : MB_OK);
        return 0;
    }
    if ((status.dwFileAttributes & kWarnedAttributes) == 0 || context_.state.answers.taskFileYesToAll) return 2;
    switch (AskAll(9054, path)) {
    case ConfirmCancel: return 1;
    case ConfirmYesToAll: context_.state.answers.taskFileYesToAll = true; return 2;
    case ConfirmYes:
    case IDOK: return 2;
    default: return insideFolder ? 2 : 0;
    }
}

int FolderShredder::CheckTaskFolder(const win::FsPath& path, bool isSystem) {
    if (isSystem && !context_.state.answers.taskFolderYesToAll) {
        const int answer = AskAll(9040, path);
        if (answer == ConfirmCancel) return 1;
        if (answer == ConfirmYesToAll) context_.state.answers.taskFolderYesToAll = true;
    }
    FolderListing listing(path);
    if (!listing) {
        context_.ui.ShowMessage(context_.texts.Text(9011), context_.programCaption, MB_OK | MB_ICONERROR);
        return 1;
    }
    // Read at every level, so that answers given deeper down count here too.
    Options options{context_.settings.Read(setting::kFolder), context_.settings.Read(setting::kRemove)};
    int result = 2;
    do {
        if (context_.state.cancelRequested) break;
        const WIN32_FIND_DATAW& entry = listing.Entry();
        if (!IsFolderEntry(entry)) {
            const win::FsPath file = EntryPath(path, entry, 0);
            if (file.empty()) {
                ShowUnreachableTaskEntry(path, entry);
            } else if (CheckTaskFolderFile(file) == 1) {
                result = 1;
                break;
            }
            continue;
        }
        if (options.folder == Never || IsDotEntry(entry) || IsLinkEntry(entry)) continue;
        const win::FsPath folder = EntryPath(path, entry, kPatternRoom);
        if (folder.empty()) {
            ShowUnreachableTaskEntry(path, entry);
            continue;
        }
        if (options.folder == Prompt && !context_.state.answers.taskFolderYesToAll) {
            const int answer = AskTaskOption(9055, "Folder", options.folder);
            if (answer == 1) {
                result = 1;
                break;
            }
            if (answer == 0) continue;
        }
        if (options.remove == Prompt && !context_.state.answers.taskFolderYesToAll &&
            AskTaskOption(9056, "Remove", options.remove) == 1) {
            result = 1;
            break;
        }
        if (CheckTaskFolder(folder, IsSystemEntry(entry)) == 1) return 1;
    } while (listing.Next() && !context_.state.cancelRequested);
    return result;
}

// Asks one of the all-subfolders questions and stores the answer as Never or
// Always. 0 answered NO, 2 answered YES, 1 the task is to be given up.
int FolderShredder::AskTaskOption(int messageId, const char* setting, int& value) {
    switch (context_.ui.ConfirmAll(context_.programCaption, context_.texts.Text(messageId), ConfirmStyleYesNoAll)) {
    case ConfirmNo: value = Never; break;
    case ConfirmYesToAll: context_.state.answers.taskFolderYesToAll = true; value = Always; break;
    case ConfirmYes:
    case IDOK: value = Always; break;
    default: return 1;
    }
    context_.settings.WriteInt(setting, value);
    return value;
}

void FolderShredder::ShowUnreachableTaskEntry(const win::FsPath& folder, const WIN32_FIND_DATAW& entry) {
    const std::wstring text = WithPath(context_.texts.Text(9034), folder.Join(entry.cFileName).Text());
    context_.ui.ShowMessage(text, context_.programCaption, MB_OK | MB_ICONERROR);
}
