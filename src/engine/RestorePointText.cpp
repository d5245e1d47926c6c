#include "engine/RestorePointText.h"

#include <cctype>

namespace {

constexpr size_t kDateTimeDigits = 14;

int Number(const std::string& digits) { return std::stoi(digits); }

}  // namespace

std::string RestorePointTimeText(const std::string& wmiDateTime) {
    if (wmiDateTime.size() < kDateTimeDigits) return std::string();
    for (size_t i = 0; i < kDateTimeDigits; ++i)
        if (!std::isdigit(static_cast<unsigned char>(wmiDateTime[i]))) return std::string();

    const std::string year = wmiDateTime.substr(0, 4);
    const std::string month = wmiDateTime.substr(4, 2);
    int day = Number(wmiDateTime.substr(6, 2));
    const int storedHour = Number(wmiDateTime.substr(8, 2));
    if (storedHour > 23) return std::string();
    const std::string minutes = wmiDateTime.substr(10, 2);
    const std::string seconds = wmiDateTime.substr(12, 2);

    // Three hours on: 22 and 23 fall on the next day, which is shown without
    // carrying into the month.
    int hour = 0;
    const char* suffix = "PM";
    if (storedHour <= 8) {
        hour = storedHour + 3;
        suffix = "AM";
    } else if (storedHour == 9) {
        hour = 12;
    } else if (storedHour <= 21) {
        hour = storedHour - 9;
    } else {
        hour = storedHour - 21;
        suffix = "AM";
        ++day;
    }
    return year + "-" + month + "-" + std::to_string(day) + " " + std::to_string(hour) + ":" + minutes + ":" +
           seconds + " " + suffix;
}

const char* RestorePointTypeName(int32_t type) {
    switch (type) {
    case 0: return "Application Installation";
    case 1: return "Application Uninstall";
    case 6: return "Restore";
    case 7: return "Checkpoint";
    case 10: return "Device Drive Installation";
    case 11: return "FirstRun";
    case 12: return "Modify Settings";
    case 13: return "Cancelled Operation";
    case 14: return "Backup Recovery";
    default: return "Unknown Restore Type";
    }
}
