#pragma once
// Where start-up gets the list of restore points from. The system keeps it
// in WMI; tests and systems without System Restore supply their own.
#include <cstdint>
#include <string>
#include <vector>

struct RestorePointRecord {
    std::string description;
    std::string creationTime;  // display text
    int16_t sequenceNumber = 0;
    int32_t type = 0;
};

class RestorePointSource {
public:
    virtual ~RestorePointSource() = default;
    // Appends the points it finds. False when the query could not be set up;
    // `failure` then holds the text to report.
    virtual bool Query(std::vector<RestorePointRecord>& records, std::string& failure) = 0;
};

// A source that finds no points: for systems without System Restore.
class NoRestorePoints final : public RestorePointSource {
public:
    bool Query(std::vector<RestorePointRecord>&, std::string&) override { return true; }
};
