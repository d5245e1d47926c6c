#include "win/FsPath.h"

#include <windows.h>

#include "win/WideText.h"

namespace win {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool HasPrefix(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

FsPath::FsPath(const char* utf8) : text_(utf8 != nullptr ? win::FromUtf8(utf8) : std::wstring()) {}

FsPath::FsPath(const std::string& utf8) : text_(win::FromUtf8(utf8)) {}

FsPath FsPath::FromUtf8(const std::string& text) { return FsPath(win::FromUtf8(text)); }

FsPath FsPath::FromCodePage(const std::string& text) { return FsPath(WidenAnsi(text)); }

FsPath FsPath::FromExtended(const std::wstring& text) {
    if (HasPrefix(text, L"\\\\?\\UNC\\")) return FsPath(L"\\\\" + text.substr(8));
    if (HasPrefix(text, L"\\\\?\\")) return FsPath(text.substr(4));
    return FsPath(text);
}

std::string FsPath::Utf8() const { return win::ToUtf8(text_); }

FsPath FsPath::Join(const std::wstring& name) const {
    if (!text_.empty() && IsSeparator(text_.back())) return FsPath(text_ + name);
    return FsPath(text_ + L"\\" + name);
}

FsPath FsPath::Parent() const {
    const size_t cut = text_.find_last_of(L"\\/");
    if (cut == std::wstring::npos || IsDriveRoot()) return FsPath();
    if (cut == 2 && text_.size() > 1 && text_[1] == L':') return FsPath(text_.substr(0, 3));
    return FsPath(text_.substr(0, cut));
}

std::wstring FsPath::Name() const {
    const size_t cut = text_.find_last_of(L"\\/");
    return cut == std::wstring::npos ? text_ : text_.substr(cut + 1);
}

bool FsPath::IsDriveRoot() const {
    return text_.size() == 3 && IsLetter(text_[0]) && text_[1] == L':' && IsSeparator(text_[2]);
}

FsPath FsPath::WithoutTrailingSeparator() const {
    std::wstring text = text_;
    while (text.size() > 3 && IsSeparator(text.back())) text.pop_back();
    return FsPath(text);
}

std::wstring FsPath::ExtendedForm() const {
    if (HasPrefix(text_, L"\\\\?\\") || HasPrefix(text_, L"\\\\.\\")) return text_;
    std::wstring text = text_;
    for (wchar_t& c : text) {
        if (c == L'/') c = L'\\';
    }
    if (text.size() >= 3 && IsLetter(text[0]) && text[1] == L':' && text[2] == L'\\') return L"\\\\?\\" + text;
    if (HasPrefix(text, L"\\\\") && text.size() > 2) return L"\\\\?\\UNC\\" + text.substr(2);
    return text;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    // Upper-cased as the file system does, one character at a time, so that
    // no locale rule joins or splits characters.
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        wchar_t x = a[i], y = b[i];
        ::CharUpperBuffW(&x, 1);
        ::CharUpperBuffW(&y, 1);
        if (x != y) return false;
    }
    return true;
}

}  // namespace win
