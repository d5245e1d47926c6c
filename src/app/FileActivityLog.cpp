#include "app/FileActivityLog.h"

#include <cstdio>
#include <memory>

namespace {

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

}  // namespace

void FileActivityLog::Append(const std::string& text) const {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path_.c_str(), "ab"));
    if (!file) return;
    const std::string bytes = WithCrLf(text);
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
}

void FileActivityLog::Write(const std::string& text) {
    logText_ = text;
    Append(text + "\n\n");
}

void FileActivityLog::Note(const std::string& text) { Append(text + "\n\n"); }

void FileActivityLog::WriteTaskNameLine(const std::string& name) { Append("Task Name: " + name + "\n"); }
