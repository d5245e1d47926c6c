#pragma once
// Stand-ins for the system's removal of restore points and for the
// free-space job that follows it: they record what they were asked.
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/FreeSpaceJob.h"
#include "engine/RestorePointRemover.h"

class RecordingRemover final : public RestorePointRemover {
public:
    bool available = true;                       // false: the library or its function is missing
    std::map<uint32_t, unsigned long> refusals;  // the system's answer for a number; others are removed
    std::vector<uint32_t> asked;

    bool Available() override { return available; }
    unsigned long Remove(uint32_t sequenceNumber) override {
        asked.push_back(sequenceNumber);
        const auto refusal = refusals.find(sequenceNumber);
        return refusal == refusals.end() ? ERROR_SUCCESS : refusal->second;
    }
};

class RecordingFreeSpace final : public FreeSpaceJob {
public:
    int answer = 0;  // 1: the user cancelled
    std::vector<std::string> roots;

    int ShredFreeSpace(const std::string& root) override {
        roots.push_back(root);
        return answer;
    }
};
