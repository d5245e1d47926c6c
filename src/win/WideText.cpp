#include "win/WideText.h"

#include <windows.h>

namespace win {

namespace {

std::wstring Widen(UINT codePage, const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

}  // namespace

std::wstring WidenAnsi(const std::string& text) { return Widen(CP_ACP, text); }

std::wstring FromUtf8(const std::string& text) { return Widen(CP_UTF8, text); }

std::string NarrowAnsi(const std::wstring& text, bool* complete) {
    if (complete != nullptr) *complete = true;
    if (text.empty()) return std::string();
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr,
                                             &usedDefault);
    if (length <= 0) {
        if (complete != nullptr) *complete = false;
        return std::string();
    }
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, &narrow[0], length, nullptr, &usedDefault);
    if (complete != nullptr && usedDefault) *complete = false;
    return narrow;
}

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

}  // namespace win
