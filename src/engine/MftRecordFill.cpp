#include "engine/MftRecordFill.h"

#include <vector>

#include "algorithms/ShredRandom.h"
#include "algorithms/WriteBuffer.h"
#include "engine/Clock.h"
#include "engine/DriveInfo.h"
#include "engine/EngineState.h"
#include "engine/FolderLinkGuard.h"
#include "engine/FolderListing.h"
#include "engine/DriveFreeSpace.h"
#include "engine/MachineFacts.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/UniqueResource.h"
#include "win/FileSystem.h"
#include "win/WideText.h"

namespace {

constexpr wchar_t kTopName[] = L"MFT";
// How often the count on the status line changes, in milliseconds.
constexpr DWORD kShowEvery = 250;
// Deeper than any tree of the fill goes (2^20 records need 20 levels).
constexpr int kDeepestLeftover = 64;

bool IsFillFileName(const std::string& name) {
    if (name.size() != MftRecordFill::kNameLength) return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    return true;
}

// What an interrupted job left below folder: subfolders "a" and "b" and
// files of the fill's names, each the folder's own, never a link. Anything
// else stays, and with it the folders above it.
void RemoveLeftovers(const win::FsPath& folder, int depth) {
    if (depth > kDeepestLeftover) return;
    const FolderLinkGuard guard(folder);
    std::vector<win::FsPath> folders, files;
    {
        FolderListing listing(folder);
        if (!listing) return;
        do {
            const WIN32_FIND_DATAW& entry = listing.Entry();
            const std::wstring name = entry.cFileName;
            const win::FsPath path = folder.Join(name);
            if (IsFolderEntry(entry)) {
                if ((name == L"a" || name == L"b") && guard.IsOwnFolder(path, entry)) folders.push_back(path);
            } else if (IsFillFileName(win::ToUtf8(name)) && guard.IsOwnFile(path, entry)) {
                files.push_back(path);
            }
        } while (listing.Next());
    }
    for (const win::FsPath& path : files) {
        win::fs::SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
        win::fs::Delete(path);
    }
    for (const win::FsPath& path : folders) {
        RemoveLeftovers(path, depth + 1);
        win::fs::RemoveFolder(path);
    }
}

wchar_t RandomLetter(ShredRandom& random) {
    for (;;) {
        const signed char c = static_cast<signed char>(random.Next() & 0xFF);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return static_cast<wchar_t>(c);
    }
}

}  // namespace

MftRecordFill::MftRecordFill(EngineContext& context, const win::FsPath& root, const win::FsPath& tempFolder)
    : context_(context), root_(root), top_(tempFolder.Join(kTopName)) {}

MftRecordFill::~MftRecordFill() { Remove(); }

bool MftRecordFill::IsNtfsVolume(const win::FsPath& root) {
    if (win::fs::IsNtFamily()) {
        wchar_t name[MAX_PATH + 1] = {};
        if (!::GetVolumeInformationW(root.Text().c_str(), nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH + 1))
            return false;
        return IsNtfsName(win::ToUtf8(name));
    }
    // The 9x family has no NTFS of its own.
    return false;
}

bool MftRecordFill::Prepare() {
    if (prepared_ || !IsNtfsVolume(root_)) return false;
    // An interrupted job's tree goes first; a top folder that still holds
    // anything else is not taken over, and the step is left out.
    if (win::fs::Exists(top_)) {
        WIN32_FIND_DATAW status{};
        if (QueryPathStatus(top_, status) && IsFolderEntry(status) &&
            FolderLinkGuard(top_.Parent()).IsOwnFolder(top_, status)) {
            RemoveLeftovers(top_, 0);
            win::fs::RemoveFolder(top_);
        }
    }
    if (!win::fs::CreateFolder(top_)) return false;
    // Where a folder takes a cluster of its own, that cluster is out of the
    // cluster fill's reach: it must reach the disk, empty, before the
    // folder goes, or it keeps what it held.
    win::UniqueHandle folder = win::fs::Open(top_, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (folder) ::FlushFileBuffers(folder.Get());
    prepared_ = true;
    nodes_ = 1;
    lastHasFile_ = false;
    seed_ = static_cast<uint32_t>(context_.clock.Now()) ^ ::GetTickCount();
    const DriveSpace space = QueryDriveFreeSpace(context_.machine.kernel, root_.Utf8());
    const uint64_t perKiB = space.total / 1024;
    bound_ = perKiB != 0 && perKiB < kRecordCap ? perKiB : kRecordCap;
    return true;
}

// Node 0 is the top folder; node n's folders are "a" and "b" below its
// parent's ((n - 1) / 2), so the path is the binary digits of n + 1 after
// the first, and no name has to be kept to find a node again.
win::FsPath MftRecordFill::NodeFolder(uint64_t node) const {
    std::wstring tail;
    for (uint64_t n = node + 1; n > 1; n >>= 1) tail.insert(tail.begin(), (n & 1) ? L'b' : L'a');
    win::FsPath path = top_;
    for (wchar_t step : tail) path = path.Join(std::wstring(1, step));
    return path;
}

// The long random name of a node's file, drawn again from the node's own
// seed whenever it is needed.
win::FsPath MftRecordFill::NodeFile(uint64_t node) const {
    ShredRandom random;
    random.Seed(seed_ ^ static_cast<uint32_t>(node * 2654435761u) ^ static_cast<uint32_t>(node >> 32));
    std::wstring name(kNameLength, L'a');
    for (wchar_t& c : name) c = RandomLetter(random);
    return NodeFolder(node).Join(name);
}

bool MftRecordFill::MakeFile(const win::FsPath& path) {
    win::UniqueHandle file = win::fs::Open(path, GENERIC_WRITE, 0, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH);
    if (!file) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file.Get(), context_.buffer.data(), kPayloadBytes, &written, nullptr);
    // The data must be on the disk before the file goes, or the record keeps what it had.
    if (ok && written == kPayloadBytes && ::FlushFileBuffers(file.Get())) return true;
    // Where small data does not stay in the record, a full drive refuses it:
    // such a file system has no records to fill.
    file.Reset();
    win::fs::Delete(path);
    return false;
}

void MftRecordFill::ShowCount(uint64_t records, bool now) {
    const DWORD tick = ::GetTickCount();
    if (!now && tick - lastShown_ < kShowEvery) return;
    lastShown_ = tick;
    ProgressView& progress = context_.ui.Progress();
    progress.SetStatus(ReplaceAll(context_.texts.Text(15301), "%u", std::to_string(records)));
    const uint64_t shown = bound_ != 0 ? records * 1000 / bound_ : 0;
    progress.SetItemPos(static_cast<int>(shown));
}

uint64_t MftRecordFill::Fill() {
    if (!prepared_) return 0;
    ProgressView& progress = context_.ui.Progress();
    // The top folder was made before the clusters were filled. Where the
    // first small file is refused the drive has no records to fill, and the
    // dialog shows nothing of this step.
    uint64_t records = 0;
    while (records < bound_) {
        if (context_.state.cancelRequested) break;
        if (nodes_ > 0 && !lastHasFile_) {
            if (!MakeFile(NodeFile(nodes_ - 1))) break;
            lastHasFile_ = true;
        } else {
            if (!win::fs::CreateFolder(NodeFolder(nodes_))) break;
            ++nodes_;
            lastHasFile_ = false;
        }
        if (++records == 1) {
            progress.SetDetail(context_.texts.Text(9909));
            progress.SetItemRange(0, 1000);
        }
        ShowCount(records, records == 1);
        context_.ui.ProcessWaitingMessages();
    }
    if (records != 0) {
        ShowCount(records, true);
        progress.Repaint();
    }
    return records;
}

void MftRecordFill::Remove() {
    if (!prepared_) return;
    prepared_ = false;
    for (uint64_t node = nodes_; node-- > 0;) {
        if (node + 1 < nodes_ || lastHasFile_) win::fs::Delete(NodeFile(node));
        win::fs::RemoveFolder(NodeFolder(node));
    }
    nodes_ = 0;
    lastHasFile_ = false;
}

std::string MftRecordsText(const EngineContext& context, uint64_t records, const std::string& driveName) {
    return ReplaceAll(ReplaceAll(context.texts.Text(15300), "%u", std::to_string(records)), "%c", driveName);
}
