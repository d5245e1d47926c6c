#pragma once
// The texts of the Shred Drive page's rows. A row's drive root comes from
// DriveRootOfRow of the task building, which the page shares.
#include <string>

// "%.2f GB".
std::string GigabyteText(float gib);
