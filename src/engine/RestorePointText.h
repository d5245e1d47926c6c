#pragma once
// The texts the restore-point list shows for a point.
#include <cstdint>
#include <string>

// The creation time as the list shows it, made from the WMI date-time text
// "yyyymmddHHMMSS...": the stored hour moved by three hours on a 12-hour
// clock. Empty when the first 14 characters are not all digits or the
// hour is beyond 23.
std::string RestorePointTimeText(const std::string& wmiDateTime);

// The name of a restore point's type; "Unknown Restore Type" for any value
// without one.
const char* RestorePointTypeName(int32_t type);
