#include "engine/FolderShredder.h"

#include <direct.h>

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
#include "win/WideText.h"

namespace {

bool IsDriveRoot(const std::string& path) {
    return path.size() == 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           (path[2] == '\\' || path[2] == '/');
}

// The full path name without trailing backslashes; empty when it does not fit.
std::string FullPathName(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string text(full, length);
    while (text.size() > 3 && (text.back() == '\\' || text.back() == '/')) text.pop_back();
    return text;
}

std::string ParentOf(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) return std::string();
    return path.substr(0, cut == 2 && path[1] == ':' ? 3 : cut);
}

// Renamed before it goes, so its name leaves the disk; a failure gives errno
// for the report, 0 when the removal was reported done but the name stays.
bool RemoveFolder(const std::string& path, int& error) {
    ShredRandom random;
    random.Seed(::GetTickCount() ^ static_cast<uint32_t>(path.size()));
    DWORD code = 0;
    const bool removed = RemoveShreddedFolder(win::FsPath(win::WidenAnsi(path)), random, code);
    error = code != 0 ? RemovalErrno(code) : 0;
    return removed;
}

}  // namespace

FolderShredder::Options FolderShredder::CurrentOptions() const {
    return {context_.state.job.folder, context_.state.job.remove};
}

StepResult FolderShredder::ShredFolder(const std::string& path, bool isSystem, FolderWalkMode mode) {
    const ProtectedFolderKeys keys(context_.machine.protectedFolders);
    return Walk(path, isSystem, mode, keys) == 0 ? kGoOn : kStop;
}

int FolderShredder::Walk(const std::string& path, bool isSystem, FolderWalkMode mode,
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
        const WIN32_FIND_DATAA& entry = listing.Entry();
        result = IsFolderEntry(entry) ? WalkSubfolder(path, entry, guard, mode, options, keys)
                                      : WalkFile(path, entry, guard, mode);
    } while (listing.Next() && !context_.state.cancelRequested);
    return result;
}

bool FolderShredder::ConfirmSystemFolder(const std::string& path, int& result) {
    if (context_.state.runMode) return true;
    const std::string text = ReplaceAll(context_.texts.Text(9040), "%s", path);
    switch (context_.ui.ShowMessage(text, context_.programCaption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2)) {
    case IDCANCEL: result = 1; return false;
    case IDNO: result = 0; return false;
    default: return true;
    }
}

int FolderShredder::WalkFile(const std::string& folder, const WIN32_FIND_DATAA& entry,
                             const FolderLinkGuard& guard, FolderWalkMode mode) {
    const std::string path = ReachablePath(folder, entry, guard, 0);
    if (path.empty()) return 0;
    const ShredFileMode fileMode =
        mode == FolderWalkMode::Interactive ? ShredFileMode::Confirm : ShredFileMode::NoConfirm;
    return files_.ShredFile(path, fileMode) != 0 || context_.state.cancelRequested ? 1 : 0;
}

int FolderShredder::WalkSubfolder(const std::string& folder, const WIN32_FIND_DATAA& entry,
                                  const FolderLinkGuard& guard, FolderWalkMode mode, const Options& options,
                                  const ProtectedFolderKeys& keys) {
    const bool interactive = mode == FolderWalkMode::Interactive;
    if (interactive && options.folder == Never) return 0;
    if (IsDotEntry(entry)) return 0;
    // Never entered and never removed: under Wine removing a link removes its target.
    if (IsLinkEntry(entry)) {
        ReportLeftAlone(JoinPath(folder, entry.cFileName), FolderLinkGuard::Reach::Link, false);
        return 0;
    }
    const std::string path = ReachablePath(folder, entry, guard, kPatternRoom);
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

int FolderShredder::RemoveWalkedSubfolder(const std::string& path, FolderWalkMode mode, const Options& options) {
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

int FolderShredder::AskAll(int messageId, const std::string& path) {
    const std::string text = ReplaceAll(context_.texts.Text(messageId), "%s", path);
    return context_.ui.ConfirmAll(context_.programCaption, text, ConfirmStyleYesNoAll);
}

std::string FolderShredder::ReachablePath(const std::string& folder, const WIN32_FIND_DATAA& entry,
                                          const FolderLinkGuard& guard, size_t room) {
    const std::string path = EntryPath(folder, entry, room);
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
    return std::string();
}

void FolderShredder::ReportUnreachable(const std::string& folder, const WIN32_FIND_DATAA& entry) {
    const std::string shown = JoinPath(folder, entry.cFileName);
    Report(context_, ReplaceAll(context_.texts.Text(9034), "%s", shown), MB_OK | MB_ICONERROR);
}

// Inside a walk only a silent run is told, one line per entry: a window
// would show a box for every link of a tree.
void FolderShredder::ReportLeftAlone(const std::string& path, FolderLinkGuard::Reach reach, bool named) {
    ++context_.state.itemsNotDone;
    if (!named && !context_.state.runMode) return;
    const int id = reach == FolderLinkGuard::Reach::SharedData ? 15006 : 15005;
    Report(context_, ReplaceAll(context_.texts.Text(id), "%s", path), MB_OK | MB_ICONINFORMATION);
}

// A No in a window is the user's own choice; a silent run records it.
void FolderShredder::ReportDeclined(const std::string& path) {
    ++context_.state.itemsNotDone;
    if (context_.state.runMode) context_.log.Write(ReplaceAll(context_.texts.Text(15007), "%s", path));
}

void FolderShredder::ReportRemovalFailure(const std::string& path, int error, unsigned flags) {
    if (error == 0) {
        Report(context_, ReplaceAll(context_.texts.Text(15008), "%s", path), flags);
        return;
    }
    const std::string text = ReplaceAll(context_.texts.Text(9043), "%s", path);
    std::string code = ReplaceAll(context_.texts.Text(9044), "%s", std::strerror(error));
    code = ReplaceAll(code, "%u", std::to_string(static_cast<unsigned>(error)));
    Report(context_, text + code, flags);
}

void FolderShredder::RemoveFolderIfEmpty(const std::string& path) {
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
    const std::string full = FullPathName(path);
    ReportRemovalFailure(full.empty() ? path : full, error, MB_OK | MB_ICONINFORMATION);
}

StepResult FolderShredder::ShredPath(const std::string& path, TargetKind kind) {
    std::string target = path;
    // "X:" alone would name the drive's current folder; here it is the root.
    if (target.size() == 2 && std::isalpha(static_cast<unsigned char>(target[0])) && target[1] == ':') target += '\\';

    // A drive root is never walked as a folder: it stands for its free space.
    const std::string full = IsDriveRoot(target) ? std::string() : FullPathName(target);
    WIN32_FIND_DATAA status{};
    if (!full.empty() && !IsDriveRoot(full) && QueryPathStatus(full, status)) {
        const bool folder = IsFolderEntry(status);
        if ((kind == TargetKind::File && folder) || (kind == TargetKind::Folder && !folder)) return kNotAnObject;
        const FolderLinkGuard parent(ParentOf(full));
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
    if (kind != TargetKind::Any) return kNotAnObject;

    std::string upper = target;
    ::CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    for (const std::string& root : context_.machine.driveRoots) {
        if (root.empty() || root != upper) continue;
        const int32_t drive = context_.state.job.drive;
        if ((drive == -1 || drive == 0) && freeSpace_ != nullptr) freeSpace_->ShredFreeSpace(root);
        return kGoOn;
    }
    return kNotAnObject;
}
