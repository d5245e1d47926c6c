#pragma once
#include <string>

#include "win/WideText.h"

// Where a silent run's messages go. Write() makes the text the last logged
// text and appends it as one record. Records are wide, so that a path is
// logged as itself; a text of the language pack, in the code page, is
// widened on the way.
class ActivityLog {
public:
    virtual ~ActivityLog() = default;
    virtual void Write(const std::wstring& text) = 0;
    virtual void WriteTaskNameLine(const std::wstring& name) = 0;
    // A record that tells what the run did in a person's place; it is no
    // failure, so the run may still end in "Success".
    virtual void Note(const std::wstring& text) = 0;
    // The last text given to Write(); empty while nothing was logged.
    virtual const std::wstring& logText() const = 0;

    void Write(const std::string& codePageText) { Write(win::WidenAnsi(codePageText)); }
    void Note(const std::string& codePageText) { Note(win::WidenAnsi(codePageText)); }
};
