#include "app/FileActivityLog.h"

#include <windows.h>

#include "app/LogFileEncoding.h"
#include "win/FileSystem.h"
#include "win/UniqueResource.h"
#include "win/WideText.h"

namespace {

// Every line ends in CR LF, also where a message already carries "\r\n".
std::wstring WithCrLf(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        if (c == L'\n') out += L'\r';
        out += c;
    }
    return out;
}

}  // namespace

void FileActivityLog::Append(const std::wstring& text) {
    if (!checkedEncoding_) {
        // Never UTF-8 behind code-page text: what cannot be converted gets
        // no record after it.
        if (!ConvertCodePageLog(path_)) return;
        checkedEncoding_ = true;
    }
    const win::UniqueHandle file = win::fs::Open(path_, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (!file) return;
    LONG high = 0;
    const DWORD end = ::SetFilePointer(file.Get(), 0, &high, FILE_END);
    if (end == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) return;
    std::string bytes = end == 0 && high == 0 ? std::string(kUtf8Mark, 3) : std::string();
    bytes += win::ToUtf8(WithCrLf(text));
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void FileActivityLog::Write(const std::wstring& text) {
    logText_ = text;
    Append(text + L"\n\n");
}

void FileActivityLog::Note(const std::wstring& text) { Append(text + L"\n\n"); }

void FileActivityLog::WriteTaskNameLine(const std::wstring& name) { Append(L"Task Name: " + name + L"\n"); }
