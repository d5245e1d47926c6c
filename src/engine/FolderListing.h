#pragma once
// Reading a folder the way every folder job does: the "*.*" enumeration, and
// the one path by which the jobs reach each entry it lists.
#include <windows.h>

#include <cstdint>
#include <string>

#include "win/FsPath.h"
#include "win/UniqueResource.h"

// The entries of one folder, "." and ".." included, in the file system's order.
class FolderListing {
public:
    explicit FolderListing(const win::FsPath& folder);

    explicit operator bool() const { return find_.Valid(); }
    const WIN32_FIND_DATAW& Entry() const { return entry_; }
    // Moves to the next entry; false when there is none.
    bool Next();

private:
    WIN32_FIND_DATAW entry_{};  // before find_: the first entry is read into it while find_ is made
    win::UniqueFindHandle find_;
};

bool IsDotEntry(const WIN32_FIND_DATAW& entry);
bool IsFolderEntry(const WIN32_FIND_DATAW& entry);
// Junctions, mount points and symbolic links; Wine marks links to folders so.
bool IsLinkEntry(const WIN32_FIND_DATAW& entry);
bool IsSystemEntry(const WIN32_FIND_DATAW& entry);
uint64_t EntrySize(const WIN32_FIND_DATAW& entry);

// True when the path rules of the 9x family's calls lead folder + "\" + name
// to that very entry: no wildcard, separator or character they reject, no
// trailing dot or space that they would strip (".. " would become the
// parent), and no DOS device name ("nul.txt" is the null device). The NT
// family's "\\?\" paths apply none of these rules.
bool IsPlainName(const std::wstring& name);

// Longest path the 9x family's calls accept, without its terminating zero.
constexpr size_t kLongestPath = MAX_PATH - 1;
// What a folder's path must leave free for its "\*" pattern there.
constexpr size_t kPatternRoom = 4;

// The path by which a job reaches a listed entry. On the NT family that is
// its own name, whatever its script, characters or length. On the 9x family
// it is its own name, or its short name when the long one is not plain, and
// empty when neither is usable or when the path, with room characters more,
// would not fit the ANSI calls: such an entry is never reached by a cut or a
// wrong name.
win::FsPath EntryPath(const win::FsPath& folder, const WIN32_FIND_DATAW& entry, size_t room);

// The status of one named object (never of a drive root, which is no entry):
// false when nothing by that name exists or the name holds a wildcard.
bool QueryPathStatus(const win::FsPath& path, WIN32_FIND_DATAW& status);
