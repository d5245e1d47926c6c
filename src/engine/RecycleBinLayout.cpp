#include "engine/RecycleBinLayout.h"

#include <windows.h>

#include "engine/MachineFacts.h"
#include "win/FsPath.h"

namespace {

bool StartsWith(const wchar_t* name, wchar_t second) {
    return name[0] == L'$' && (name[1] == second || name[1] == second + (L'a' - L'A'));
}

}  // namespace

RecycleBinLayout BinLayoutOf(const MachineFacts& machine, size_t drive) {
    if (machine.isVistaOrLater) return RecycleBinLayout::RecycleBin;
    return machine.driveIsNtfs[drive] ? RecycleBinLayout::Recycler : RecycleBinLayout::Recycled;
}

std::vector<std::string> BinFolderSteps(RecycleBinLayout layout, const std::string& userSid) {
    switch (layout) {
    case RecycleBinLayout::Recycled: return {"RECYCLED"};
    case RecycleBinLayout::Recycler: return {"Recycler", userSid};
    case RecycleBinLayout::RecycleBin: return {"$Recycle.Bin", userSid};
    }
    return {};
}

BinEntryRole ClassifyBinEntry(RecycleBinLayout layout, const wchar_t* name, bool isFolder) {
    // desktop.ini makes the folder show as the bin; it is written again after emptying.
    if (!isFolder && win::SamePath(name, L"desktop.ini")) return BinEntryRole::LeftAlone;
    if (layout != RecycleBinLayout::RecycleBin) {
        if (!isFolder && win::SamePath(name, L"INFO2")) return BinEntryRole::LeftAlone;
        return BinEntryRole::OverwriteInPlace;
    }
    // The "$I" records are the index: once overwritten the shell can no
    // longer pair them with their items, so the job removes both itself.
    if (StartsWith(name, L'R')) return BinEntryRole::ShredItem;
    if (StartsWith(name, L'I') && !isFolder) return BinEntryRole::ShredRecord;
    return BinEntryRole::LeftAlone;
}

std::vector<BinEntryRole> BinRounds(RecycleBinLayout layout) {
    // The records last: a job that stops midway leaves the shell the records
    // of every item it did not reach.
    if (layout == RecycleBinLayout::RecycleBin) return {BinEntryRole::ShredItem, BinEntryRole::ShredRecord};
    return {BinEntryRole::OverwriteInPlace};
}
