#include "engine/ShellRecycleBin.h"

namespace {

// The shell's query record is packed: 20 bytes, not the 24 of natural alignment.
#pragma pack(push, 1)
struct QueryRecord {
    DWORD size;
    int64_t totalSize;
    int64_t itemCount;
};
#pragma pack(pop)
static_assert(sizeof(QueryRecord) == 20, "the shell expects a 20-byte query record");

constexpr DWORD kNoConfirmation = 0x1;
constexpr DWORD kNoProgressWindow = 0x2;
constexpr DWORD kNoSound = 0x4;

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

RecycleBinAccess ShellRecycleBin::Open() {
    Close();
    shell_.Reset(::LoadLibraryA("SHELL32.DLL"));
    if (!shell_) return RecycleBinAccess::NoLibrary;
    query_ = Lookup<QueryFunction>(shell_.Get(), "SHQueryRecycleBinA");
    empty_ = Lookup<EmptyFunction>(shell_.Get(), "SHEmptyRecycleBinA");
    return query_ != nullptr && empty_ != nullptr ? RecycleBinAccess::Ready : RecycleBinAccess::NoFunctions;
}

void ShellRecycleBin::Close() {
    query_ = nullptr;
    empty_ = nullptr;
    shell_.Reset();
}

HRESULT ShellRecycleBin::Query(const std::string& root, RecycleBinContents& contents) {
    contents = RecycleBinContents{};
    if (query_ == nullptr) return E_FAIL;
    QueryRecord record{};
    record.size = sizeof(record);
    const HRESULT result = query_(root.c_str(), &record);
    if (result == S_OK) contents = RecycleBinContents{record.totalSize, record.itemCount};
    return result;
}

void ShellRecycleBin::Empty(const std::string& root) {
    if (empty_ != nullptr) empty_(nullptr, root.c_str(), kNoConfirmation | kNoProgressWindow | kNoSound);
}
