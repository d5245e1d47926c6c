#include "app/FileActivityLog.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include "win/WideText.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// Every line ends in CR LF, also where a message already carries "\r\n".
std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string ReadWhole(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    std::string bytes;
    if (!file) return bytes;
    char block[4096];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof(block), file.get())) > 0) bytes.append(block, got);
    return bytes;
}

// A log without the mark was written in the code page by an earlier
// version: its records are kept, in UTF-8, under the mark. The new text goes
// to a copy first, so a failure halfway leaves the old log as it was.
bool StartUtf8Log(const std::string& path) {
    {
        File file(std::fopen(path.c_str(), "rb"));
        char start[3] = {};
        if (file && std::fread(start, 1, 3, file.get()) == 3 && std::string(start, 3) == kByteOrderMark) return true;
    }
    const std::string old = ReadWhole(path);
    const std::string converted = kByteOrderMark + win::ToUtf8(win::WidenAnsi(old));
    const std::string copy = path + ".new";
    {
        File file(std::fopen(copy.c_str(), "wb"));
        if (!file || std::fwrite(converted.data(), 1, converted.size(), file.get()) != converted.size()) {
            std::remove(copy.c_str());
            return false;
        }
    }
    return ::MoveFileExA(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

}  // namespace

void FileActivityLog::Append(const std::wstring& text) const {
    if (!StartUtf8Log(path_)) return;
    File file(std::fopen(path_.c_str(), "ab"));
    if (!file) return;
    const std::string bytes = WithCrLf(win::ToUtf8(text));
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
}

void FileActivityLog::Write(const std::wstring& text) {
    logText_ = text;
    Append(text + L"\n\n");
}

void FileActivityLog::Note(const std::wstring& text) { Append(text + L"\n\n"); }

void FileActivityLog::WriteTaskNameLine(const std::wstring& name) { Append(L"Task Name: " + name + L"\n"); }
