#include "engine/SettingsStore.h"

#include <windows.h>

#include <vector>

#include "win/UniqueResource.h"

namespace {

win::UniqueRegKey OpenForRead(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    return win::UniqueRegKey(key);
}

win::UniqueRegKey OpenForWrite(const std::string& path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return {};
    return win::UniqueRegKey(key);
}

}  // namespace

int32_t SettingsStore::ReadInt(const char* name, int32_t defaultValue) const {
    win::UniqueRegKey key = OpenForRead(keyPath_);
    if (!key) return defaultValue;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return defaultValue;
    return static_cast<int32_t>(value);
}

std::string SettingsStore::ReadString(const char* name, const std::string& defaultValue) const {
    win::UniqueRegKey key = OpenForRead(keyPath_);
    if (!key) return defaultValue;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ ||
        size > kStringLimit)
        return defaultValue;
    std::vector<char> buffer(size + 1, '\0');
    if (::RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return defaultValue;
    // A damaged value may lack its terminator; the extra byte supplies one.
    return std::string(buffer.data());
}

bool SettingsStore::WriteInt(const char* name, int32_t value) const {
    win::UniqueRegKey key = OpenForWrite(keyPath_);
    if (!key) return false;
    const DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
           ERROR_SUCCESS;
}

bool SettingsStore::WriteString(const char* name, const std::string& value) const {
    win::UniqueRegKey key = OpenForWrite(keyPath_);
    if (!key) return false;
    return ::RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}
