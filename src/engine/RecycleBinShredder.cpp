#include "engine/RecycleBinShredder.h"

#include "algorithms/AlgorithmList.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/ChosenMethod.h"
#include "engine/FileShredder.h"
#include "engine/FolderLinkGuard.h"
#include "engine/FolderListing.h"
#include "win/FileSystem.h"
#include "win/WideText.h"
#include "engine/FolderShredder.h"
#include "engine/OverallRange.h"
#include "engine/ProgressControl.h"
#include "engine/Report.h"
#include "engine/SolidStateDrives.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/UniqueResource.h"
#include "engine/RedirectionGuard.h"

namespace {

// Makes the bin folder show as the Recycle Bin again after the shell emptied it.
constexpr char kDesktopIni[] = "[.ShellClassInfo]\r\nCLSID={645FF040-5081-101B-9F08-00AA002F954E}\r\n";
constexpr DWORD kDesktopIniSize = sizeof(kDesktopIni) - 1;
static_assert(kDesktopIniSize == 65, "desktop.ini is written without a terminating zero");

constexpr size_t kDriveCount = 26;

char DriveLetter(size_t drive) { return static_cast<char>('A' + drive); }

// Releases the shell library at every way out of a job.
class ShellSession {
public:
    explicit ShellSession(RecycleBinShell& shell) : shell_(shell), access_(shell.Open()) {}
    ~ShellSession() { shell_.Close(); }
    ShellSession(const ShellSession&) = delete;
    ShellSession& operator=(const ShellSession&) = delete;

    RecycleBinAccess access() const { return access_; }

private:
    RecycleBinShell& shell_;
    RecycleBinAccess access_;
};

}  // namespace

void RecycleBinShredder::ShredRecycleBin() {
    const RedirectionGuard redirection(context_.redirection);
    const ShellSession session(shell_);
    if (session.access() == RecycleBinAccess::NoLibrary) return;
    if (session.access() == RecycleBinAccess::Ready)
        Run();
    else
        Report(context_, context_.texts.Text(9014), MB_OK | MB_ICONERROR);
    CloseProgressDialog(context_);
}

bool RecycleBinShredder::RecycleBinIsEmpty() {
    context_.state.cancelRequested = false;
    const ShellSession session(shell_);
    if (session.access() != RecycleBinAccess::Ready) return true;
    int64_t items = 0;
    for (const std::string& root : context_.machine.driveRoots) {
        if (root.empty()) continue;
        RecycleBinContents contents;
        if (shell_.Query(root, contents) != S_OK) return true;
        items += contents.items;
        if (items > 0) return false;
    }
    return true;
}

void RecycleBinShredder::Run() {
    EngineState& state = context_.state;
    state.cancelRequested = false;
    Survey survey;
    if (!SurveyBins(survey)) return;

    const int passes = ChosenPassSteps(context_);
    // The shell tells only the bins' total: each item may end in a partial block.
    JobProgress progress;
    progress.AddBytes(survey.bytes > 0 ? static_cast<uint64_t>(survey.bytes) : 0);
    const uint64_t items = static_cast<uint64_t>(survey.items > 0 ? survey.items : 0);
    progress.AddBytes(items * 65535);
    // From Vista on each item also has its "$I" record, a block of its own.
    if (context_.machine.isVistaOrLater) progress.AddBytes(items * 65536);
    state.overallRange = progress.Range(passes);

    if (survey.items == 0) {
        Report(context_, context_.texts.Text(9015), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!Confirmed() || !ShowProgressDialog(context_)) return;
    context_.ui.Progress().SetTitle(context_.texts.Text(9902));
    for (size_t drive = 0; drive < kDriveCount; ++drive) {
        if (state.cancelRequested) return;
        if (context_.machine.driveRoots[drive].empty()) continue;
        if (!ShredDrive(drive)) return;
    }
}

bool RecycleBinShredder::SurveyBins(Survey& survey) {
    for (const std::string& root : context_.machine.driveRoots) {
        if (root.empty()) continue;
        RecycleBinContents contents;
        const HRESULT result = shell_.Query(root, contents);
        if (result != S_OK) {
            char code[16];
            ::wsprintfA(code, " %08X", static_cast<unsigned>(result));
            Report(context_, context_.texts.Text(9048) + code + context_.texts.Text(9079), MB_OK | MB_ICONERROR);
            return false;
        }
        survey.items += contents.items;
        survey.bytes += contents.bytes;
    }
    return true;
}

bool RecycleBinShredder::Confirmed() {
    if (context_.state.runMode) return true;
    return context_.ui.ShowMessage(context_.texts.Text(9049), context_.programCaption,
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool RecycleBinShredder::ShredDrive(size_t drive) {
    // A failed query leaves the bin counted as empty: what the shell cannot
    // see is not shredded.
    RecycleBinContents contents;
    shell_.Query(context_.machine.driveRoots[drive], contents);
    if (contents.items <= 0) return true;
    TellOfSolidStateDrive(context_, win::FsPath::FromCodePage(context_.machine.driveRoots[drive]));

    const win::FsPath folder = OwnBinFolder(drive);
    if (folder.empty() || !ShredEntries(folder, BinLayoutOf(context_.machine, drive))) {
        // The bin holds items that were not shredded: the run is not done.
        ++context_.state.itemsNotDone;
        const std::string shown = BinFolderText(drive);
        Report(context_, ReplaceAll(context_.texts.Text(9034), "%s", shown), MB_OK | MB_ICONINFORMATION);
        return true;
    }
    if (context_.state.cancelRequested) {
        const std::string letter(1, DriveLetter(drive));
        Report(context_, ReplaceAll(context_.texts.Text(9050), "%c", letter), MB_OK | MB_ICONINFORMATION);
        return false;
    }
    EmptyBin(drive);
    WriteDesktopIni(folder);
    return true;
}

std::vector<std::string> RecycleBinShredder::BinFolderSteps(size_t drive) const {
    return ::BinFolderSteps(BinLayoutOf(context_.machine, drive), context_.machine.userSid);
}

std::string RecycleBinShredder::BinFolderText(size_t drive) const {
    std::string text = context_.machine.driveRoots[drive];
    for (const std::string& step : BinFolderSteps(drive)) text += step + "\\";
    return text;
}

win::FsPath RecycleBinShredder::OwnBinFolder(size_t drive) const {
    // Every step down from the root must be a folder of its own: through a
    // link the job would shred, empty and write somewhere else.
    win::FsPath folder = win::FsPath::FromCodePage(context_.machine.driveRoots[drive]);
    for (const std::string& step : BinFolderSteps(drive)) {
        const std::wstring name = win::WidenAnsi(step);
        if (!IsPlainName(name)) return win::FsPath();
        const win::FsPath path = folder.Join(name);
        WIN32_FIND_DATAW status{};
        if (!QueryPathStatus(path, status) || !IsFolderEntry(status) || IsLinkEntry(status) ||
            !FolderLinkGuard(folder).IsOwnFolder(path, status))
            return win::FsPath();
        folder = path;
    }
    return folder;
}

bool RecycleBinShredder::ShredEntries(const win::FsPath& folder, RecycleBinLayout layout) {
    EngineState& state = context_.state;
    for (const BinEntryRole round : BinRounds(layout)) {
        FolderListing listing(folder);
        if (!listing) return false;
        const FolderLinkGuard guard(folder);
        do {
            if (state.cancelRequested) break;
            if (ShredEntry(folder, listing.Entry(), guard, layout, round) != 0) state.cancelRequested = true;
        } while (!state.cancelRequested && listing.Next());
        if (state.cancelRequested) break;
    }
    return true;
}

int RecycleBinShredder::ShredEntry(const win::FsPath& folder, const WIN32_FIND_DATAW& entry,
                                   const FolderLinkGuard& guard, RecycleBinLayout layout, BinEntryRole round) {
    const bool isFolder = IsFolderEntry(entry);
    if (isFolder && IsDotEntry(entry)) return 0;
    const BinEntryRole role = ClassifyBinEntry(layout, entry.cFileName, isFolder);
    if (role != round) return 0;
    // A link is neither entered nor overwritten; emptying the bin removes
    // only the link itself.
    if (IsLinkEntry(entry)) return 0;
    const win::FsPath path = EntryPath(folder, entry, isFolder ? kPatternRoom : 0);
    if (path.empty()) {
        Report(context_, WithPath(context_.texts.Text(9034), folder.Join(entry.cFileName).Text()),
               MB_OK | MB_ICONERROR);
        return 0;
    }
    if (isFolder) {
        if (!guard.IsOwnFolder(path, entry)) return 0;
        if (role == BinEntryRole::ShredItem) return ShredVistaFolder(path, IsSystemEntry(entry));
        return folders_.ShredFolder(path, IsSystemEntry(entry), FolderWalkMode::PurgeKeepFirstLevel);
    }
    if (!guard.IsOwnFile(path, entry)) return 0;
    // From Vista on the job removes what it overwrote; before, the shell does by INFO2.
    const bool removed = role != BinEntryRole::OverwriteInPlace;
    return files_.ShredFile(path, removed ? ShredFileMode::NoConfirm : ShredFileMode::ContentsOnly);
}

// A deleted folder: every file in its tree shredded, then its folders removed,
// itself last.
int RecycleBinShredder::ShredVistaFolder(const win::FsPath& path, bool isSystem) {
    if (folders_.ShredFolder(path, isSystem, FolderWalkMode::Purge) != kGoOn) return 1;
    folders_.RemoveFolderIfEmpty(path);
    return 0;
}

void RecycleBinShredder::EmptyBin(size_t drive) {
    ProgressView& progress = context_.ui.Progress();
    progress.SetStatus(context_.texts.Text(9913) + " " + DriveLetter(drive));
    progress.SetDetail(std::string());
    progress.SetItemPos(0);
    progress.Repaint();
    shell_.Empty(context_.machine.driveRoots[drive]);
}

void RecycleBinShredder::WriteDesktopIni(const win::FsPath& folder) {
    const win::FsPath path = folder.Join(L"desktop.ini");
    DWORD attributes = 0;
    WIN32_FIND_DATAW status{};
    if (QueryPathStatus(path, status)) {
        // Writing through a link would change the file it leads to.
        if (IsFolderEntry(status) || IsLinkEntry(status) || !FolderLinkGuard(folder).IsOwnFile(path, status)) return;
        // A hidden or system file can only be replaced by one marked the same.
        attributes = status.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (status.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
            win::fs::SetAttributes(path, attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL);
    }
    win::UniqueHandle file =
        win::fs::Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL);
    if (!file) return;
    DWORD written = 0;
    ::WriteFile(file.Get(), kDesktopIni, kDesktopIniSize, &written, nullptr);
}
