#pragma once
// log.txt, where start-up put it (LogLocation): append-only, UTF-8 with a
// byte-order mark, one open-write-close cycle per record so the file is
// whole after every record. A record that cannot be written is lost
// silently. Records are wide and may name anything; a language pack's
// code-page text is widened on the way (ActivityLog).
#include <string>

#include "engine/ActivityLog.h"
#include "win/FsPath.h"

class FileActivityLog final : public ActivityLog {
public:
    FileActivityLog() = default;
    explicit FileActivityLog(win::FsPath file) : path_(std::move(file)) {}

    using ActivityLog::Note;
    using ActivityLog::Write;
    // The text, then an empty line.
    void Write(const std::wstring& text) override;
    void WriteTaskNameLine(const std::wstring& name) override;
    void Note(const std::wstring& text) override;
    const std::wstring& logText() const override { return logText_; }

    const win::FsPath& path() const { return path_; }
    void SetPath(win::FsPath file) { path_ = std::move(file); }

private:
    void Append(const std::wstring& text);

    win::FsPath path_;
    std::wstring logText_;
    bool checkedEncoding_ = false;  // an earlier version's log is converted once, before the first record
};
