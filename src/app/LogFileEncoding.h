#pragma once
// log.txt is UTF-8 with a byte-order mark, so it names every target in any
// script and a text viewer knows it as UTF-8. Versions before wrote it in
// the system code page, without the mark.
#include <string>

#include "win/FsPath.h"

// The mark every log begins with.
extern const char kUtf8Mark[3];

bool StartsWithUtf8Mark(const std::string& bytes);

// Makes an earlier version's log UTF-8 with the mark: its code-page text is
// converted and the file replaced whole, so it is never half converted.
// True when the file is missing, empty, already UTF-8, or now converted.
bool ConvertCodePageLog(const win::FsPath& file);
