#pragma once
// The program's named values under HKCU\software\Korvex\Vantrel. A value that
// is missing or of the other type reads as its default.
#include <cstdint>
#include <string>

class SettingsStore {
public:
    explicit SettingsStore(std::string keyPath = "software\\Korvex\\Vantrel") : keyPath_(std::move(keyPath)) {}

    int32_t ReadInt(const char* name, int32_t defaultValue) const;
    std::string ReadString(const char* name, const std::string& defaultValue) const;
    bool WriteInt(const char* name, int32_t value) const;
    bool WriteString(const char* name, const std::string& value) const;

    const std::string& keyPath() const { return keyPath_; }

private:
    std::string keyPath_;
};
