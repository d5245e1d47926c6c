#pragma once
// Where a drive keeps the current user's Recycle Bin and what in it is an
// item. The system version decides the layout, never the file system: from
// Vista on every drive has "$Recycle.Bin\<SID>", FAT drives included.
#include <cstddef>
#include <string>
#include <vector>

struct MachineFacts;

enum class RecycleBinLayout {
    Recycled,    // "RECYCLED": the 9x family, and drives other than NTFS on NT 5
    Recycler,    // "Recycler\<SID>": NTFS drives on NT 5
    RecycleBin,  // "$Recycle.Bin\<SID>": every drive from Vista on
};

RecycleBinLayout BinLayoutOf(const MachineFacts& machine, size_t drive);

// The folders from the drive's root down to the user's bin.
std::vector<std::string> BinFolderSteps(RecycleBinLayout layout, const std::string& userSid);

// What the job does with one entry of a bin folder.
enum class BinEntryRole {
    LeftAlone,         // the bin's own files, or nothing the bin put there
    OverwriteInPlace,  // an item the shell removes by the bin's index (INFO2)
    ShredItem,         // a "$R" file or folder: the job removes it itself
    ShredRecord,       // an "$I" record, the same, once every item is done
};

// The roles the job works through, one round over the folder each.
std::vector<BinEntryRole> BinRounds(RecycleBinLayout layout);

BinEntryRole ClassifyBinEntry(RecycleBinLayout layout, const wchar_t* name, bool isFolder);
