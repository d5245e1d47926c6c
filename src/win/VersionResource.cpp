#include "win/VersionResource.h"

#include <cwchar>

namespace win {

namespace {

// The running executable's own resource, straight from memory: its file may
// lie where the file functions cannot reach it by name.
std::vector<char> OwnBlock() {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));
    if (found == nullptr) return {};
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) return {};
    const char* begin = static_cast<const char*>(bytes);
    std::vector<char> block(begin, begin + size);
    // Room after the block, as GetFileVersionInfo leaves it, for the query's own use.
    block.resize(size * 2);
    return block;
}

std::vector<char> FileBlock(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
    return block;
}

}  // namespace

VersionResource::VersionResource(const std::string& modulePath)
    : data_(modulePath.empty() ? OwnBlock() : FileBlock(modulePath)) {}

std::string VersionResource::Entry(const std::string& name) const {
    if (data_.empty() || name.empty() || name.size() > 255) return std::string();
    // The block holds wide texts; the wide query reads them without converting.
    std::wstring key = L"\\StringFileInfo\\040904b0\\";
    for (const char c : name) key += static_cast<wchar_t>(static_cast<unsigned char>(c));
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data_.data(), key.c_str(), &value, &length) || value == nullptr || length == 0)
        return std::string();
    const auto* text = static_cast<const wchar_t*>(value);
    const int wide = static_cast<int>(::wcsnlen(text, length));
    if (wide == 0) return std::string();
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, wide, &result[0], bytes, nullptr, nullptr);
    return result;
}

}  // namespace win
