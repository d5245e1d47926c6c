#include "engine/RestorePointShredder.h"

#include <direct.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "algorithms/AlgorithmList.h"
#include "algorithms/ShredRandom.h"
#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/ChosenMethod.h"
#include "engine/FolderLinkGuard.h"
#include "engine/FolderListing.h"
#include "engine/FolderRemoval.h"
#include "engine/FolderShredder.h"
#include "engine/OverallRange.h"
#include "engine/ProgressControl.h"
#include "engine/Report.h"
#include "engine/SolidStateDrives.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/FileSystem.h"
#include "win/WideText.h"
#include "engine/RedirectionGuard.h"

namespace {

// "\RP65535" behind a subfolder's path, and the listing pattern behind that.
constexpr size_t kRestorePointRoom = 8 + kPatternRoom;
constexpr int kReportStyle = 4;  // OK only

std::string FolderName(int16_t sequenceNumber) {
    return "RP" + std::to_string(static_cast<uint16_t>(sequenceNumber));
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// root is "X:\".
std::string VolumeFolderOf(const std::string& root) { return root.substr(0, 2) + "\\System Volume Information"; }

std::string ParentOf(const std::string& path) {
    const size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos) return std::string();
    return path.substr(0, cut == 2 ? 3 : cut);
}

// The restore-point folders are named by the system in ASCII alone ("System
// Volume Information", "_restore{...}", "RP<n>") below an ASCII drive root;
// a listed name that is not plain ASCII is never one of them.
win::FsPath Wide(const std::string& asciiPath) { return win::FsPath::FromCodePage(asciiPath); }

bool IsAsciiName(const wchar_t* name) {
    for (; *name != L'\0'; ++name)
        if (*name >= 0x80) return false;
    return true;
}

std::string FullPathName(const std::string& path) {
    const win::FsPath full = win::fs::FullPath(Wide(path));
    return full.empty() ? path : win::NarrowAnsi(full.Text());
}

enum class Found { Nothing, OwnFolder, Other };

// Other: a file, a link, or a folder that path reaches through a link.
Found Classify(const std::string& parent, const std::string& path) {
    WIN32_FIND_DATAW status{};
    if (!QueryPathStatus(Wide(path), status)) return Found::Nothing;
    if (!IsFolderEntry(status) || IsLinkEntry(status)) return Found::Other;
    return FolderLinkGuard(Wide(parent)).IsOwnFolder(Wide(path), status) ? Found::OwnFolder : Found::Other;
}

// Nothing but dot entries; false also when the folder cannot be listed.
bool IsEmptyFolder(const std::string& path) {
    FolderListing listing(Wide(path));
    if (!listing) return false;
    do {
        if (!IsDotEntry(listing.Entry())) return false;
    } while (listing.Next());
    return true;
}

// Renamed before it goes, as every shredded folder; errno for the report.
bool RemoveFolder(const std::string& path, int& error) {
    ShredRandom random;
    random.Seed(::GetTickCount() ^ static_cast<uint32_t>(path.size()));
    DWORD code = 0;
    const bool removed = RemoveShreddedFolder(Wide(path), random, code);
    error = code != 0 ? RemovalErrno(code) : 0;
    return removed;
}

}  // namespace

void RestorePointShredder::FindRestorePointFolders(int16_t sequenceNumber,
                                                   std::vector<std::string>& folderList) const {
    const std::string name = FolderName(sequenceNumber);
    for (const std::string& root : context_.machine.driveRoots) {
        if (root.empty()) continue;
        const std::string volume = VolumeFolderOf(root);
        if (Classify(root, volume) != Found::OwnFolder) continue;
        FolderListing listing(Wide(volume));
        if (!listing) continue;
        const FolderLinkGuard guard(Wide(volume));
        do {
            const WIN32_FIND_DATAW& entry = listing.Entry();
            if (!IsFolderEntry(entry) || IsDotEntry(entry) || IsLinkEntry(entry) || !IsAsciiName(entry.cFileName))
                continue;
            const win::FsPath found = EntryPath(Wide(volume), entry, kRestorePointRoom);
            if (found.empty() || !guard.IsOwnFolder(found, entry)) continue;
            const std::string subfolder = win::NarrowAnsi(found.Text());
            const std::string folder = subfolder + "\\" + name;
            if (Classify(subfolder, folder) != Found::OwnFolder || !FolderListing(Wide(folder))) continue;
            if (std::find(folderList.begin(), folderList.end(), folder) == folderList.end())
                folderList.push_back(folder);
        } while (listing.Next());
    }
}

void RestorePointShredder::RemoveRestorePointFolders(int16_t sequenceNumber, std::vector<std::string>& folderList) {
    const std::string wanted = Lower(FolderName(sequenceNumber));
    const auto named = [&wanted](const std::string& path) {
        const std::string lower = Lower(path);
        const size_t last = lower.rfind('r');
        return last != std::string::npos && lower.compare(last, std::string::npos, wanted) == 0;
    };
    folderList.erase(std::remove_if(folderList.begin(), folderList.end(), named), folderList.end());
}

void RestorePointShredder::ForgetRestorePoint(const std::string& folderPath) {
    const std::string lower = Lower(folderPath);
    const size_t last = lower.rfind('r');
    if (last == std::string::npos || last + 2 > lower.size()) return;
    const char* digits = lower.c_str() + last + 2;
    char* end = nullptr;
    const long number = std::strtol(digits, &end, 10);
    if (end == digits) return;
    // Compared as the 16-bit field holds it.
    const int16_t wanted = static_cast<int16_t>(static_cast<uint16_t>(number));
    const auto point = std::find_if(restorePoints_.begin(), restorePoints_.end(),
                                    [wanted](const RestorePointRecord& r) { return r.sequenceNumber == wanted; });
    if (point != restorePoints_.end()) restorePoints_.erase(point);
}

void RestorePointShredder::ShredRestorePointFolders(const std::vector<std::string>& folderList) {
    EngineState& state = context_.state;
    state.cancelRequested = false;
    JobProgress total;
    // What the walk passes over is not counted: behind a link lies anything.
    for (const std::string& folder : folderList)
        if (Classify(ParentOf(folder), folder) == Found::OwnFolder) total.AddFolder(Wide(folder));
    state.overallRange = total.Range(ChosenPassSteps(context_));

    for (const std::string& folder : folderList) {
        ShredListedFolder(folder);
        if (state.cancelRequested) break;
    }
}

void RestorePointShredder::ShredListedFolder(const std::string& folder) {
    const Found found = Classify(ParentOf(folder), folder);
    // Never walked nor removed: under Wine removing a link removes its target.
    if (found == Found::Other) return;
    // A folder that is gone lets the walk report that it cannot be listed.
    const std::string full = found == Found::OwnFolder ? FullPathName(folder) : folder;
    TellOfSolidStateDrive(context_, Wide(full));
    folders_.ShredFolder(Wide(full), false, FolderWalkMode::Purge);
    if (!IsEmptyFolder(full)) return;
    int error = 0;
    if (!RemoveFolder(full, error)) Report(context_, RemovalFailureText(full, error), MB_OK | MB_ICONINFORMATION);
    ForgetRestorePoint(folder);
}

bool RestorePointShredder::ShredRestorePoints() {
    const RedirectionGuard redirection(context_.redirection);
    // A silent run's task exists because its owner confirmed this when
    // scheduling it; nobody could answer the question now.
    if (context_.state.runMode)
        context_.log.Note(context_.texts.Text(15262));
    else if (context_.ui.ConfirmAll(context_.texts.Text(9064), context_.texts.Text(12001), ConfirmStyleYesNo) !=
             ConfirmYes)
        return false;
    context_.state.cancelRequested = false;
    for (const std::string& root : context_.machine.driveRoots) {
        if (root.empty()) continue;
        ShredVolumeFolder(root);
        if (context_.state.cancelRequested) break;
    }
    CloseProgressDialog(context_);
    return true;
}

void RestorePointShredder::ShredVolumeFolder(const std::string& root) {
    const std::string volume = VolumeFolderOf(root);
    const Found found = Classify(root, volume);
    if (found == Found::Other) return;
    const std::string full = found == Found::OwnFolder ? FullPathName(volume) : volume;
    TellOfSolidStateDrive(context_, Wide(full));
    folders_.ShredFolder(Wide(full), false, FolderWalkMode::Purge);
    if (!IsEmptyFolder(full)) return;
    int error = 0;
    if (!RemoveFolder(full, error))
        context_.ui.ConfirmAll(context_.programCaption, RemovalFailureText(full, error), kReportStyle);
}

std::string RestorePointShredder::RemovalFailureText(const std::string& path, int error) const {
    const std::string where = ReplaceAll(context_.texts.Text(9043), "%s", path);
    const std::string code = ReplaceAll(context_.texts.Text(9044), "%u", std::to_string(static_cast<unsigned>(error)));
    return where + ReplaceAll(code, "%s", std::strerror(error));
}
