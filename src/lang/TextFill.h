#pragma once
// Placeholders are filled by plain replacement of every occurrence, never by
// a formatted print, so a "%" in a path or a translation is harmless.
#include <string>

template <typename Char>
std::basic_string<Char> ReplaceAll(std::basic_string<Char> text, const std::basic_string<Char>& placeholder,
                                   const std::basic_string<Char>& value) {
    if (placeholder.empty()) return text;
    size_t at = 0;
    while ((at = text.find(placeholder, at)) != std::basic_string<Char>::npos) {
        text.replace(at, placeholder.size(), value);
        at += value.size();
    }
    return text;
}

inline std::string ReplaceAll(std::string text, const std::string& placeholder, const std::string& value) {
    return ReplaceAll<char>(std::move(text), placeholder, value);
}

inline std::wstring ReplaceAll(std::wstring text, const std::wstring& placeholder, const std::wstring& value) {
    return ReplaceAll<wchar_t>(std::move(text), placeholder, value);
}

// A text of the language pack, in the code page, with every "%s" filled by
// a path: the result is wide, so the path keeps every character.
std::wstring WithPath(const std::string& codePageText, const std::wstring& path);
