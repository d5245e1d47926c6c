#include "engine/FolderShredder.h"

#include <cctype>
#include <cerrno>
#include <cstring>

#include "algorithms/ShredRandom.h"
#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/FolderLinkGuard.h"
#include "engine/FolderListing.h"
#include "engine/FolderRemoval.h"
#include "engine/FreeSpaceJob.h"
#include "engine/ProtectedFolderKeys.h"
#include "engine/Report.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/FileSystem.h"
#include "win/WideText.h"

namespace {

// The full path name without trailing backslashes; empty when the system
// gives none (or, on the 9x family, when it does not fit).
win::FsPath FullPathName(const win::FsPath& path) {
    return win::fs::FullPath(path).WithoutTrailingSeparator();
}

// Renamed before it goes, so its name leaves the disk; a failure gives errno
// for the report, 0 when the removal was reported done but the name stays.
bool RemoveFolder(const win::FsPath& path, int& error) {
    ShredRandom random;
    random.Seed(::GetTickCount() ^ static_cast<uint32_t>(path.size()));
    DWORD code = 0;
    const bool removed = RemoveShreddedFolder(path, random, code);
    error = code != 0 ? RemovalErrno(code) : 0;
    return removed;
}

}  // namespace

FolderShredder::Options FolderShredder::CurrentOptions() const {
    return {context_.state.job.folder, context_.state.job.remove};
}

StepResult FolderShredder::ShredFolder(const win::FsPath& path, bool isSystem, FolderWalkMode mode) {
    const ProtectedFolderKeys keys(context_.machine.protectedFolders);
    return Walk(path, isSystem, mode, keys) == 0 ? kGoOn : kStop;
}

int FolderShredder::Walk(const win::FsPath& path, bool isSystem, FolderWalkMode mode,
                         const ProtectedFolderKeys& keys) {
    const Options options = CurrentOptions();
    if (mode == FolderWalkMode::Interactive) {
        if (const std::string* entry = keys.Match(path)) {
            ++context_.state.itemsNotDone;
            Report(context_, ReplaceAll(context_.texts.Text(9039), "%s", *entry), MB_OK | MB_ICONINFORMATION);
            return 0;
        }
        int refused = 0;
        if (isSystem && !ConfirmSystemFolder(path, refused)) {
            ReportDeclined(path);
            return refused;
        }
    }

    FolderListing listing(path);
    if (!listing) {
        Report(context_, context_.texts.Text(9011), MB_OK | MB_ICONERROR);
        return 1;
    }
    const FolderLinkGuard guard(path);
    int result = 0;
    do {
        if (context_.state.cancelRequested || result != 0) break;
        const WIN32_FIND_DATAW& entry = listing.Entry();
        result = IsFolderEntry(entry) ? WalkSubfolder(path, entry, guard, mode, options, keys)
                                      : WalkFile(path, entry, guard, mode);
    } while (listing.Next() && !context_.state.cancelRequested);
    return result;
}

bool FolderShredder::ConfirmSystemFolder(const win::FsPath& path, int& result) {
    if (context_.state.runMode) return true;
    const std::wstring text = WithPath(context_.texts.Text(9040), path.Text());
    switch (context_.ui.ShowMessage(text, context_.programCaption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2)) {
    case IDCANCEL: result = 1; return false;
    case IDNO: result = 0; return false;
    default: return true;
    }
}

int FolderShredder::WalkFile(const win::FsPath& folder, const WIN32_FIND_DATAW& entry,
                             const FolderLinkGuard& guard, FolderWalkMode mode) {
    const win::FsPath path = ReachablePath(folder, entry, guard, 0);
    if (path.empty()) return 0;
    const ShredFileMode fileMode =
        mode == FolderWalkMode::Interactive ? ShredFileMode::Confirm : ShredFileMode::NoConfirm;
    return files_.ShredFile(path, fileMode) != 0 || context_.state.cancelRequested ? 1 : 0;
}

int FolderShredder::WalkSubfolder(const win::FsPath& folder, const WIN32_FIND_DATAW& entry,
                                  const FolderLinkGuard& guard, FolderWalkMode mode, const Options& options,
                                  const ProtectedFolderKeys& keys) {
    const bool interactive = mode == FolderWalkMode::Interactive;
    if (interactive && options.folder == Never) return 0;
    if (IsDotEntry(entry)) return 0;
    // Never entered and never removed: under Wine removing a link removes its target.
    if (IsLinkEntry(entry)) {
        ReportLeftAlone(folder.Join(entry.cFileName), FolderLinkGuard::Reach::Link, false);
        return 0;
    }
    const win::FsPath path = ReachablePath(folder, entry, guard, kPatternRoom);
    if (path.empty()) return 0;

    if (interactive && options.folder == Prompt && !context_.state.answers.subfolderYesToAll) {
        switch (AskAll(9041, path)) {
        case ConfirmNo: ReportDeclined(path); return 0;
        case ConfirmYesToAll: context_.state.answers.subfolderYesToAll = true; break;
        case ConfirmYes:
        case IDOK: break;
        default: ReportDeclined(path); return 1;
        }
    }
    const FolderWalkMode below = interactive ? FolderWalkMode::Interactive : FolderWalkMode::Purge;
    if (Walk(path, IsSystemEntry(entry), below, keys) != 0) return 1;
    // A job cancelled below ends without asking about removals.
    if (context_.state.cancelRequested) return 0;
    return RemoveWalkedSubfolder(path, mode, options);
}

int FolderShredder::RemoveWalkedSubfolder(const win::FsPath& path, FolderWalkMode mode, const Options& options) {
    int error = 0;
    switch (mode) {
    case FolderWalkMode::Purge:
        // Quiet in a window, but a silent run must not end in "Success" for it.
        if (!RemoveFolder(path, error)) {
            ++context_.state.itemsNotDone;
            if (context_.state.runMode) ReportRemovalFailure(path, error, MB_OK | MB_ICONERROR);
        }
        return 0;
    case FolderWalkMode::PurgeKeepFirstLevel: return 0;
    case FolderWalkMode::Interactive: break;
    }
    if (options.remove == Prompt && !context_.state.answers.removeYesToAll) {
        switch (AskAll(9042, path)) {
        case ConfirmNo: ReportDeclined(path); return 0;
        case ConfirmYesToAll: context_.state.answers.removeYesToAll = true; break;
        case ConfirmYes:
        case IDOK: break;
        default: ReportDeclined(path); return 1;
        }
    } else if (options.remove != Always && options.remove != Prompt) {
        return 0;
    }
    if (!RemoveFolder(path, error)) ReportRemovalFailure(path, error, MB_OK | MB_ICONERROR);
    return 0;
}

int FolderShredder::AskAll(int messageId, const win::FsPath& path) {
    const std::wstring text = WithPath(context_.texts.Text(messageId), path.Text());
    return context_.ui.ConfirmAll(context_.programCaption, text, ConfirmStyleYesNoAll);
}

win::FsPath FolderShredder::ReachablePath(const win::FsPath& folder, const WIN32_FIND_DATAW& entry,
                                          const FolderLinkGuard& guard, size_t room) {
    const win::FsPath path = EntryPath(folder, entry, room);
    if (path.empty()) {
        ReportUnreachable(folder, entry);
        return path;
    }
    const FolderLinkGuard::Reach reach = guard.Classify(path, entry, IsFolderEntry(entry));
    if (reach == FolderLinkGuard::Reach::Own) return path;
    // A short name that does not lead to its long name's entry is an access
    // failure like any other; links and shared data are told as such.
    if (!IsPlainName(entry.cFileName))
        ReportUnreachable(folder, entry);
    else
        ReportLeftAlone(path, reach, false);
    return win::FsPath();
}

void FolderShredder::ReportUnreachable(const win::FsPath& folder, const WIN32_FIND_DATAW& entry) {
    const win::FsPath shown = folder.Join(entry.cFileName);
    Report(context_, WithPath(context_.texts.Text(9034), shown.Text()), MB_OK | MB_ICONERROR);
}

// Inside a walk only a silent run is told, one line per entry: a window
// would show a box for every link of a tree.
void FolderShredder::ReportLeftAlone(const win::FsPath& path, FolderLinkGuard::Reach reach, bool named) {
    ++context_.state.itemsNotDone;
    if (!named && !context_.state.runMode) return;
    const int id = reach == FolderLinkGuard::Reach::SharedData ? 15006 : 15005;
    Report(context_, WithPath(context_.texts.Text(id), path.Text()), MB_OK | MB_ICONINFORMATION);
}

// A No in a window is the user's own choice; a silent run records it.
void FolderShredder::ReportDeclined(const win::FsPath& path) {
    ++context_.state.itemsNotDone;
    if (context_.state.runMode) context_.log.Write(WithPath(context_.texts.Text(15007), path.Text()));
}

void FolderShredder::ReportRemovalFailure(const win::FsPath& path, int error, unsigned flags) {
    if (error == 0) {
        Report(context_, WithPath(context_.texts.Text(15008), path.Text()), flags);
        return;
    }
    const std::wstring text = WithPath(context_.texts.Text(9043), path.Text());
    std::string code = ReplaceAll(context_.texts.Text(9044), "%s", std::strerror(error));
    code = ReplaceAll(code, "%u", std::to_string(static_cast<unsigned>(error)));
    Report(context_, text + win::WidenAnsi(code), flags);
}

void FolderShredder::RemoveFolderIfEmpty(const win::FsPath& path) {
    {
        FolderListing listing(path);
        if (!listing) return;
        // Every entry is looked at: a drive root lists no "." first.
        do {
            if (!IsDotEntry(listing.Entry())) return;
        } while (listing.Next());
    }
    int error = 0;
    if (RemoveFolder(path, error)) return;
    ++context_.state.itemsNotDone;
    const win::FsPath full = FullPathName(path);
    ReportRemovalFailure(full.empty() ? path : full, error, MB_OK | MB_ICONINFORMATION);
}

StepResult FolderShredder::ShredPath(const win::FsPath& path, TargetKind kind) {
    std::wstring text = path.Text();
    // "X:" alone would name the drive's current folder; here it is the root.
    if (text.size() == 2 && text[1] == L':') text += L'\\';
    const win::FsPath target(text);

    // A drive root is never walked as a folder: it stands for its free space.
    const win::FsPath full = target.IsDriveRoot() ? win::FsPath() : FullPathName(target);
    WIN32_FIND_DATAW status{};
    if (!full.empty() && !full.IsDriveRoot() && QueryPathStatus(full, status)) {
        const bool folder = IsFolderEntry(status);
        if ((kind == TargetKind::File && folder) || (kind == TargetKind::Folder && !folder)) return kNotAnObject;
        const FolderLinkGuard parent(full.Parent());
        const FolderLinkGuard::Reach reach = parent.Classify(full, status, folder);
        if (reach != FolderLinkGuard::Reach::Own) {
            ReportLeftAlone(full, reach, true);
            return kGoOn;
        }
        if (!folder) return files_.ShredFile(full, ShredFileMode::Confirm) == 0 ? kGoOn : kStop;
        const uint32_t notDoneBefore = context_.state.itemsNotDone;
        const int result = ShredFolder(full, IsSystemEntry(status), FolderWalkMode::Interactive);
        // A protected folder, a System folder answered No, or anything refused
        // below keeps the folder, even when it is empty.
        if (result == 0 && context_.state.itemsNotDone == notDoneBefore && !context_.state.cancelRequested)
            RemoveFolderIfEmpty(full);
        return result == 0 ? kGoOn : kStop;
    }
    if (kind != TargetKind::Any || !target.IsDriveRoot()) return kNotAnObject;

    // Drive roots are "X:\" in ASCII: the letter alone is compared.
    const wchar_t letter = text[0] >= L'a' && text[0] <= L'z' ? static_cast<wchar_t>(text[0] - L'a' + L'A') : text[0];
    for (const std::string& root : context_.machine.driveRoots) {
        if (root.empty() || static_cast<wchar_t>(root[0]) != letter) continue;
        const int32_t drive = context_.state.job.drive;
        if ((drive == -1 || drive == 0) && freeSpace_ != nullptr) freeSpace_->ShredFreeSpace(root);
        return kGoOn;
    }
    return kNotAnObject;
}
