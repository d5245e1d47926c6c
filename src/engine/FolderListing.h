#pragma once
// Reading a folder the way every folder job does: the "*.*" enumeration, and
// the one path by which the jobs reach each entry it lists.
#include <windows.h>

#include <cstdint>
#include <string>

#include "win/UniqueResource.h"

// The entries of one folder, "." and ".." included, in the file system's order.
class FolderListing {
public:
    explicit FolderListing(const std::string& folder);

    explicit operator bool() const { return find_.Valid(); }
    const WIN32_FIND_DATAA& Entry() const { return entry_; }
    // Moves to the next entry; false when there is none.
    bool Next();

private:
    WIN32_FIND_DATAA entry_{};  // before find_: the first entry is read into it while find_ is made
    win::UniqueFindHandle find_;
};

bool IsDotEntry(const WIN32_FIND_DATAA& entry);
bool IsFolderEntry(const WIN32_FIND_DATAA& entry);
// Junctions, mount points and symbolic links; Wine marks links to folders so.
bool IsLinkEntry(const WIN32_FIND_DATAA& entry);
bool IsSystemEntry(const WIN32_FIND_DATAA& entry);
uint64_t EntrySize(const WIN32_FIND_DATAA& entry);

// folder + "\" + name, without doubling the backslash of a drive root.
std::string JoinPath(const std::string& folder, const std::string& name);

// True when the path rules of the ANSI calls lead folder + "\" + name to that
// very entry: no wildcard, separator or character they reject, no trailing
// dot or space that they would strip (".. " would become the parent), and no
// DOS device name ("nul.txt" is the null device).
bool IsPlainName(const std::string& name);

// Longest path the ANSI calls accept, without its terminating zero.
constexpr size_t kLongestPath = MAX_PATH - 1;
// What a folder's path must leave free for its "\*.*" pattern.
constexpr size_t kPatternRoom = 4;

// The path by which a job reaches a listed entry: its own name, or its short
// name when the long one is not plain. Empty when neither is usable or when
// the path, with room characters more, would not fit the ANSI calls: such an
// entry is never reached by a cut or a wrong name.
std::string EntryPath(const std::string& folder, const WIN32_FIND_DATAA& entry, size_t room);

// The status of one named object (never of a drive root, which is no entry):
// false when nothing by that name exists or the name holds a wildcard.
bool QueryPathStatus(const std::string& path, WIN32_FIND_DATAA& status);
