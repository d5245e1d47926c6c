#pragma once
// log.txt in the program folder: append-only, one open-write-close cycle per
// record so the file is whole after every record. A record that cannot be
// written is lost silently. The file is UTF-8 with a byte-order mark, so a
// path of any script is logged as itself; a log of an earlier version, in
// the code page, is converted once before the first new record.
#include <string>

#include "engine/ActivityLog.h"

class FileActivityLog final : public ActivityLog {
public:
    explicit FileActivityLog(std::string programFolder) : path_(std::move(programFolder) + "\\log.txt") {}

    using ActivityLog::Note;
    using ActivityLog::Write;
    // The text, then an empty line.
    void Write(const std::wstring& text) override;
    void WriteTaskNameLine(const std::wstring& name) override;
    void Note(const std::wstring& text) override;
    const std::wstring& logText() const override { return logText_; }

    const std::string& path() const { return path_; }
    void SetProgramFolder(const std::string& programFolder) { path_ = programFolder + "\\log.txt"; }

private:
    void Append(const std::wstring& text) const;

    std::string path_;
    std::wstring logText_;
};
