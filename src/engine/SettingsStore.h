#pragma once
// The program's named values under HKCU\software\Korvex\Vantrel. A value that
// is missing or of the other type reads as its default.
#include <cstdint>
#include <string>

#include "engine/Settings.h"

class SettingsStore {
public:
    explicit SettingsStore(std::string keyPath = "software\\Korvex\\Vantrel") : keyPath_(std::move(keyPath)) {}

    int32_t ReadInt(const char* name, int32_t defaultValue) const;
    std::string ReadString(const char* name, const std::string& defaultValue) const;
    bool WriteInt(const char* name, int32_t value) const;
    bool WriteString(const char* name, const std::string& value) const;

    int32_t Read(const IntSetting& setting) const { return ReadInt(setting.name, setting.defaultValue); }
    std::string Read(const TextSetting& setting) const { return ReadString(setting.name, setting.defaultValue); }
    bool Write(const IntSetting& setting, int32_t value) const { return WriteInt(setting.name, value); }
    bool Write(const TextSetting& setting, const std::string& value) const {
        return WriteString(setting.name, value);
    }

    // A string value longer than this is taken for damage and reads as its default.
    static constexpr unsigned long kStringLimit = 65536;

    const std::string& keyPath() const { return keyPath_; }

private:
    std::string keyPath_;
};
