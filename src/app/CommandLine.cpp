#include "app/CommandLine.h"

#include <cctype>
#include <climits>

#include "engine/ActivityLog.h"
#include "engine/EngineState.h"

int ParseSwitchValue(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

bool CommandLine::ParseCommandLine(const std::string& text) {
    if (text.find('"') != std::string::npos) {
        // Text outside the pairs of quotes is ignored, and so is an opening
        // quote that has no partner.
        size_t open = text.find('"');
        while (open != std::string::npos) {
            const size_t close = text.find('"', open + 1);
            if (close == std::string::npos) break;
            if (!ParseArgument(text.substr(open + 1, close - open - 1))) return false;
            open = text.find('"', close + 1);
        }
        return true;
    }
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ') ++at;
        if (at == text.size()) break;
        const size_t end = text.find(' ', at);
        const size_t length = (end == std::string::npos ? text.size() : end) - at;
        if (!ParseArgument(text.substr(at, length))) return false;
        at += length;
    }
    return true;
}

bool CommandLine::ParseArgument(const std::string& argument) {
    if (argument == "/s") {
        state_.runMode = true;
        expectTaskName_ = true;
        return true;
    }
    if (expectTaskName_) {
        expectTaskName_ = false;
        log_.WriteTaskNameLine(argument);
        return true;
    }
    if (!argument.empty() && argument[0] == '/') {
        const int value = ParseSwitchValue(argument.size() > 2 ? argument.substr(2) : std::string());
        switch (argument.size() > 1 ? argument[1] : '\0') {
        case 'O': state_.runMethod = value; break;
        case 'D': state_.runDrive = value; break;
        case 'F': state_.runFolder = value; break;
        case 'R': state_.runRemove = value; break;
        default: break;  // "/T%d" of some tasks and anything else: no effect
        }
        return true;
    }
    targets_.push_back(argument);
    return true;
}
