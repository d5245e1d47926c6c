#pragma once
// Every file-system call of the jobs, on FsPath. The NT family gets the
// wide calls with the "\\?\" form of the path; the 9x family, which has no
// working wide calls, gets the ANSI ones with the path in the code page, and
// a path that has no code-page form or is longer than MAX_PATH fails there
// (ERROR_INVALID_NAME, ERROR_FILENAME_EXCED_RANGE) instead of naming
// another file. Each call sets the last error as the system call does.
#include <windows.h>

#include "win/FsPath.h"
#include "win/UniqueResource.h"

namespace win::fs {

// GetVersion's high bit: set on Windows 95, 98 and ME.
bool IsNtFamily();

// INVALID_FILE_ATTRIBUTES when nothing answers to the path.
DWORD Attributes(const FsPath& path);
bool AttributeData(const FsPath& path, WIN32_FILE_ATTRIBUTE_DATA& data);
bool SetAttributes(const FsPath& path, DWORD attributes);
bool Exists(const FsPath& path);

UniqueHandle Open(const FsPath& path, DWORD access, DWORD share, DWORD disposition, DWORD flags);

// Never replaces a name that exists.
bool Move(const FsPath& from, const FsPath& to);
bool Delete(const FsPath& path);
bool CreateFolder(const FsPath& path);
bool RemoveFolder(const FsPath& path);

// The first entry that pattern matches; the handle goes on with FindNext.
UniqueFindHandle FindFirst(const FsPath& pattern, WIN32_FIND_DATAW& entry);
bool FindNext(HANDLE find, WIN32_FIND_DATAW& entry);

// The full path name, of any length; empty when the system gives none.
FsPath FullPath(const FsPath& path);

}  // namespace win::fs
