#pragma once
// Placeholders are filled by plain replacement of every occurrence, never by
// a formatted print, so a "%" in a path or a translation is harmless.
#include <string>

inline std::string ReplaceAll(std::string text, const std::string& placeholder, const std::string& value) {
    if (placeholder.empty()) return text;
    size_t at = 0;
    while ((at = text.find(placeholder, at)) != std::string::npos) {
        text.replace(at, placeholder.size(), value);
        at += value.size();
    }
    return text;
}
