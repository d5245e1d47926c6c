#include "app/CommandLine.h"

#include <climits>

#include "engine/ActivityLog.h"
#include "engine/EngineState.h"

int ParseSwitchValue(const std::wstring& text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) negative = text[at++] == L'-';
    long long value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = value * 10 + (text[at] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

bool CommandLine::ParseCommandLine(const std::wstring& text) {
    if (text.find(L'"') != std::wstring::npos) {
        // Text outside the pairs of quotes is ignored, and so is an opening
        // quote that has no partner.
        size_t open = text.find(L'"');
        while (open != std::wstring::npos) {
            const size_t close = text.find(L'"', open + 1);
            if (close == std::wstring::npos) break;
            if (!ParseArgument(text.substr(open + 1, close - open - 1))) return false;
            open = text.find(L'"', close + 1);
        }
        return true;
    }
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == L' ') ++at;
        if (at == text.size()) break;
        const size_t end = text.find(L' ', at);
        const size_t length = (end == std::wstring::npos ? text.size() : end) - at;
        if (!ParseArgument(text.substr(at, length))) return false;
        at += length;
    }
    return true;
}

bool CommandLine::ParseArgument(const std::wstring& argument) {
    if (argument == L"/s") {
        state_.runMode = true;
        expectTaskName_ = true;
        return true;
    }
    if (expectTaskName_) {
        expectTaskName_ = false;
        log_.WriteTaskNameLine(argument);
        return true;
    }
    if (!argument.empty() && argument[0] == L'/') {
        const int value = ParseSwitchValue(argument.size() > 2 ? argument.substr(2) : std::wstring());
        switch (argument.size() > 1 ? argument[1] : L'\0') {
        case L'O': state_.runMethod = value; break;
        case L'D': state_.runDrive = value; break;
        case L'F': state_.runFolder = value; break;
        case L'R': state_.runRemove = value; break;
        case L'V': state_.runVerify = value; break;
        default: break;  // "/T%d" of some tasks and anything else: no effect
        }
        return true;
    }
    targets_.push_back(win::FsPath(argument));
    return true;
}

std::wstring ArgumentsOf(const std::wstring& wholeCommandLine) {
    size_t at = wholeCommandLine.find_first_not_of(L" \t");
    if (at == std::wstring::npos) return std::wstring();
    if (wholeCommandLine.compare(at, 4, L"\"/s\"") == 0) return wholeCommandLine.substr(at);
    if (wholeCommandLine[at] == L'"') {
        const size_t close = wholeCommandLine.find(L'"', at + 1);
        if (close == std::wstring::npos) return std::wstring();
        at = close + 1;
    } else {
        at = wholeCommandLine.find_first_of(L" \t", at);
        if (at == std::wstring::npos) return std::wstring();
    }
    at = wholeCommandLine.find_first_not_of(L" \t", at);
    return at == std::wstring::npos ? std::wstring() : wholeCommandLine.substr(at);
}
