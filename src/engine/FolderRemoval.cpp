#include "engine/FolderRemoval.h"

#include <cerrno>
#include <string>

#include "algorithms/ShredRandom.h"
#include "win/FileSystem.h"

namespace {

constexpr int kRenameAttempts = 8;
constexpr int kRenameRounds = 2;

wchar_t RandomLetter(ShredRandom& random) {
    for (;;) {
        const signed char c = static_cast<signed char>(random.Next() & 0xFF);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return static_cast<wchar_t>(c);
    }
}

// The base name and the extension are replaced letter by letter; the dot
// stays where it was, so the name keeps its length and shape.
std::wstring RandomNameLike(const std::wstring& name, ShredRandom& random) {
    std::wstring candidate = name;
    const size_t dot = name.rfind(L'.');
    for (size_t i = 0; i < candidate.size(); ++i)
        if (i != dot) candidate[i] = RandomLetter(random);
    return candidate;
}

// Only an empty folder is renamed: one that cannot go keeps its name.
bool IsEmptyFolder(const win::FsPath& path) {
    WIN32_FIND_DATAW entry{};
    win::UniqueFindHandle find = win::fs::FindFirst(path.Join(L"*"), entry);
    if (!find) return false;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") return false;
    } while (win::fs::FindNext(find.Get(), entry));
    return true;
}

}  // namespace

bool RemoveShreddedFolder(const win::FsPath& path, ShredRandom& random, DWORD& error) {
    error = 0;
    win::FsPath doomed = path;
    bool renamed = false;
    const std::wstring name = path.Name();
    const win::FsPath parent = path.Parent();
    // Twice: a rename adds the new entry before it drops the old one, and
    // the index shrinks back over a copy of the old name's bytes; the second
    // rename's entry grows the index over that copy again.
    if (!name.empty() && !parent.empty() && IsEmptyFolder(path)) {
        for (int round = 0; round < kRenameRounds; ++round) {
            bool moved = false;
            for (int attempt = 0; attempt < kRenameAttempts && !moved; ++attempt) {
                const win::FsPath candidate = parent.Join(RandomNameLike(name, random));
                // Move never replaces a name that exists: a taken name just fails.
                if (win::fs::Move(doomed, candidate)) {
                    doomed = candidate;
                    moved = renamed = true;
                }
            }
        }
    }
    if (win::fs::RemoveFolder(doomed)) {
        // A file system that will not change may report the removal as done.
        if (!win::fs::Exists(doomed)) return true;
    } else {
        error = ::GetLastError();
    }
    if (renamed) win::fs::Move(doomed, path);
    return false;
}

int RemovalErrno(DWORD error) {
    switch (error) {
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NO_MORE_FILES:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return ENOENT;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_NOT_ENOUGH_MEMORY: return ENOMEM;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE:
    case ERROR_FAIL_I24:
    case ERROR_DRIVE_LOCKED:
    case ERROR_SEEK_ON_DEVICE:
    case ERROR_NOT_LOCKED:
    case ERROR_LOCK_FAILED: return EACCES;
    default: break;
    }
    // The range from write-protected to sharing buffer exceeded, as the C
    // library maps it.
    if (error >= ERROR_WRITE_PROTECT && error <= ERROR_SHARING_BUFFER_EXCEEDED) return EACCES;
    return EINVAL;
}
