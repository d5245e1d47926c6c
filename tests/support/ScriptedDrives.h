#pragma once
// The drives' own answers as a test tells them: which letters have no seek
// penalty, what a retrim answers, and which drives were asked.
#include <set>
#include <vector>

#include "engine/DriveSeekPenalty.h"
#include "engine/FreeSpaceTrim.h"

class ScriptedDrives final : public DriveSeekPenalty, public FreeSpaceTrim {
public:
    std::set<wchar_t> solidState;  // every other letter is a hard disk
    TrimResult answer{TrimOutcome::Trimmed, 0};
    std::vector<wchar_t> asked;    // every seek-penalty question, in order
    std::vector<wchar_t> trimmed;  // every retrim, in order

    bool HasNoSeekPenalty(wchar_t letter) override {
        asked.push_back(letter);
        return solidState.count(letter) > 0;
    }
    TrimResult Retrim(wchar_t letter, const std::function<void()>& /*whileWaiting*/) override {
        trimmed.push_back(letter);
        return answer;
    }
};
