#include "ui/DriveRows.h"

#include <cstdio>

std::string DriveRootOfRow(const std::string& label) {
    std::string text = label;
    const size_t open = text.rfind('(');
    if (open != std::string::npos) {
        text = text.substr(open + 1);
        std::string kept;
        for (char c : text)
            if (c != ')') kept += c;
        text = kept;
    }
    return text + "\\";
}

std::string GigabyteText(float gib) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.2f GB", static_cast<double>(gib));
    return buffer;
}

std::string DriveTaskParameters(const std::string& taskName, int method, int driveOption, const std::string& root) {
    return "\"/s\" \"" + taskName + "\" \"/O" + std::to_string(method) + "\" \"/D" + std::to_string(driveOption) +
           "\" \"" + root + "\"";
}
