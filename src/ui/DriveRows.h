#pragma once
// The texts of the Shred Drive page's rows and the run-mode parameters of a
// drive's task.
#include <string>

// "C:\" from a row's label: the text after its last "(", with every ")"
// removed, and a backslash; 'Backup (old) (E:)' gives E:\ .
std::string DriveRootOfRow(const std::string& label);
// "%.2f GB".
std::string GigabyteText(float gib);
// "/s" "name" "/O<method>" "/D<driveOption>" "root", each in quotation marks.
std::string DriveTaskParameters(const std::string& taskName, int method, int driveOption, const std::string& root);
