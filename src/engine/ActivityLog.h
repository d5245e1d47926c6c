#pragma once
#include <string>

// Where a silent run's messages go. Write() makes the text the last logged
// text and appends it as one record. A std::string is a code-page text (the
// language packs' and the command line's); a std::wstring may name anything,
// in any script.
class ActivityLog {
public:
    virtual ~ActivityLog() = default;
    virtual void Write(const std::string& text) = 0;
    virtual void Write(const std::wstring& text) = 0;
    virtual void WriteTaskNameLine(const std::string& name) = 0;
    virtual void WriteTaskNameLine(const std::wstring& name) = 0;
    // A record that tells what the run did in a person's place; it is no
    // failure, so the run may still end in "Success".
    virtual void Note(const std::string& text) = 0;
    virtual void Note(const std::wstring& text) = 0;
    // The last text given to Write(), in the code page; empty while nothing
    // was logged.
    virtual const std::string& logText() const = 0;
};
