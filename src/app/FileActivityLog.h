#pragma once
// log.txt in the program folder: append-only, one open-write-close cycle per
// record so the file is whole after every record. A record that cannot be
// written is lost silently.
#include <string>

#include "engine/ActivityLog.h"

class FileActivityLog final : public ActivityLog {
public:
    explicit FileActivityLog(std::string programFolder) : path_(std::move(programFolder) + "\\log.txt") {}

    // The text, then an empty line.
    void Write(const std::string& text) override;
    void WriteTaskNameLine(const std::string& name) override;
    void Note(const std::string& text) override;
    const std::string& logText() const override { return logText_; }

    const std::string& path() const { return path_; }
    void SetProgramFolder(const std::string& programFolder) { path_ = programFolder + "\\log.txt"; }

private:
    void Append(const std::string& text) const;

    std::string path_;
    std::string logText_;
};
