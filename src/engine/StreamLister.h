#pragma once
// Finds a file's named data streams ("a.txt:notes"), which the file's own
// data does not include and its deletion would leave unwritten on the disk.
#include <string>
#include <vector>

#include "win/FsPath.h"

class StreamLister {
public:
    virtual ~StreamLister() = default;
    // The names ("notes"), without the unnamed stream, which is the file's
    // own data. None where the file system keeps no streams or will not say.
    virtual std::vector<std::wstring> NamedStreams(const win::FsPath& file) const = 0;
};
