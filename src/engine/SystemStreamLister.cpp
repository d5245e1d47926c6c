#include "engine/SystemStreamLister.h"

#include <cstdint>
#include <cstring>

#include "win/FileSystem.h"

namespace {

// WIN32_FIND_STREAM_DATA, which the headers of an XP build leave out.
struct FoundStream {
    LARGE_INTEGER size;
    WCHAR name[MAX_PATH + 36];
};
constexpr int kFindStreamInfoStandard = 0;

// The fixed part of a WIN32_STREAM_ID record, before its name.
constexpr DWORD kRecordHeader = 20;
constexpr DWORD kAlternateData = 4;  // BACKUP_ALTERNATE_DATA
// A stream name is at most 255 characters and its decoration; more is no record.
constexpr DWORD kNameLimit = 1024;

template <typename Function>
Function Find(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

void AddName(std::vector<std::wstring>& names, const std::wstring& systemName) {
    const std::wstring name = SystemStreamLister::DataStreamName(systemName);
    if (!name.empty()) names.push_back(name);
}

}  // namespace

SystemStreamLister::SystemStreamLister() {
    // kernel32 is in every process for its whole life: nothing to hold or free.
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    findFirst_ = Find<FindFirstStream>(kernel, "FindFirstStreamW");
    findNext_ = Find<FindNextStream>(kernel, "FindNextStreamW");
    if (findFirst_ == nullptr || findNext_ == nullptr) {
        findFirst_ = nullptr;
        backupRead_ = Find<BackupReadCall>(kernel, "BackupRead");
        backupSeek_ = Find<BackupSeekCall>(kernel, "BackupSeek");
    }
}

std::wstring SystemStreamLister::DataStreamName(const std::wstring& systemName) {
    if (systemName.size() < 2 || systemName[0] != L':') return std::wstring();
    const size_t type = systemName.rfind(L':');
    if (type == 0 || systemName.compare(type, std::wstring::npos, L":$DATA") != 0) return std::wstring();
    return systemName.substr(1, type - 1);
}

std::vector<std::wstring> SystemStreamLister::NamedStreams(const win::FsPath& file) const {
    if (!win::fs::IsNtFamily()) return {};
    if (findFirst_ != nullptr) return ByFindStream(file);
    if (backupRead_ != nullptr && backupSeek_ != nullptr) return ByBackupRead(file);
    return {};
}

// A volume that keeps no streams (FAT) answers an error rather than the
// unnamed stream alone: there is nothing to overwrite then.
std::vector<std::wstring> SystemStreamLister::ByFindStream(const win::FsPath& file) const {
    std::vector<std::wstring> names;
    FoundStream found{};
    win::UniqueFindHandle listing(findFirst_(file.ExtendedForm().c_str(), kFindStreamInfoStandard, &found, 0));
    if (!listing) return names;
    do {
        AddName(names, found.name);
    } while (findNext_(listing.Get(), &found));
    return names;
}

namespace {

// BackupRead keeps a context of its own between calls; only a last call
// with the abort flag frees it.
class BackupReading {
public:
    using Read = BOOL(WINAPI*)(HANDLE, LPBYTE, DWORD, LPDWORD, BOOL, BOOL, LPVOID*);
    using Seek = BOOL(WINAPI*)(HANDLE, DWORD, DWORD, LPDWORD, LPDWORD, LPVOID*);
    BackupReading(HANDLE file, Read read, Seek seek) : file_(file), read_(read), seek_(seek) {}
    ~BackupReading() {
        DWORD done = 0;
        if (context_ != nullptr) read_(file_, nullptr, 0, &done, TRUE, FALSE, &context_);
    }
    BackupReading(const BackupReading&) = delete;
    BackupReading& operator=(const BackupReading&) = delete;

    bool ReadExactly(void* into, DWORD length) {
        DWORD done = 0;
        return read_(file_, static_cast<LPBYTE>(into), length, &done, FALSE, FALSE, &context_) && done == length;
    }
    bool Skip(uint64_t length) {
        DWORD low = 0, high = 0;
        if (length == 0) return true;
        return seek_(file_, static_cast<DWORD>(length), static_cast<DWORD>(length >> 32), &low, &high, &context_) &&
               ((static_cast<uint64_t>(high) << 32) | low) == length;
    }

private:
    HANDLE file_;
    Read read_;
    Seek seek_;
    LPVOID context_ = nullptr;
};

}  // namespace

std::vector<std::wstring> SystemStreamLister::ByBackupRead(const win::FsPath& file) const {
    std::vector<std::wstring> names;
    win::UniqueHandle handle = win::fs::Open(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (!handle) return names;
    BackupReading reading(handle.Get(), backupRead_, backupSeek_);
    for (;;) {
        BYTE header[kRecordHeader] = {};
        if (!reading.ReadExactly(header, kRecordHeader)) break;
        DWORD id = 0, nameBytes = 0;
        LARGE_INTEGER size{};
        memcpy(&id, header, sizeof(id));
        memcpy(&size, header + 8, sizeof(size));
        memcpy(&nameBytes, header + 16, sizeof(nameBytes));
        if (nameBytes > kNameLimit) break;
        std::wstring name(nameBytes / sizeof(wchar_t), L'\0');
        if (nameBytes > 0 && !reading.ReadExactly(&name[0], nameBytes)) break;
        if (id == kAlternateData) AddName(names, name);
        if (!reading.Skip(static_cast<uint64_t>(size.QuadPart))) break;
    }
    return names;
}
