#pragma once
// The engine's stream listing as a test says: Wine lists no named streams,
// though it opens and writes "file:name" where the file system keeps them.
#include <map>
#include <string>
#include <vector>

#include "engine/StreamLister.h"

class ListedStreams final : public StreamLister {
public:
    // By the file's path as the engine is given it.
    std::map<std::wstring, std::vector<std::wstring>> names;

    std::vector<std::wstring> NamedStreams(const win::FsPath& file) const override {
        const auto found = names.find(file.Text());
        return found == names.end() ? std::vector<std::wstring>() : found->second;
    }
};
