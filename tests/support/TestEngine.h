#pragma once
// An engine built from real parts (algorithms, buffer, registry settings,
// language pack lookups) with the scripted dialogs, a recording log and a
// fixed clock, working only in the test's own folder.
#include <string>
#include <vector>

#include "algorithms/AlgorithmList.h"
#include "algorithms/WriteBuffer.h"
#include "engine/ActivityLog.h"
#include "engine/Clock.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/EngineContext.h"
#include "engine/FileShredder.h"
#include "lang/LanguagePack.h"
#include "support/ListedStreams.h"
#include "support/ScriptedInteraction.h"

// Records in UTF-8, so that a test compares them with its literals.
class RecordingLog final : public ActivityLog {
public:
    using ActivityLog::Note;
    using ActivityLog::Write;
    void Write(const std::wstring& text) override { last = text, records.push_back(win::ToUtf8(text)); }
    void WriteTaskNameLine(const std::wstring& name) override { taskNames.push_back(win::ToUtf8(name)); }
    void Note(const std::wstring& text) override { notes.push_back(win::ToUtf8(text)); }
    const std::wstring& logText() const override { return last; }

    std::vector<std::string> records;
    std::vector<std::string> taskNames;
    std::vector<std::string> notes;
    std::wstring last;
};

class FixedClock final : public Clock {
public:
    std::time_t now = 1000000;
    std::time_t Now() override { return now; }
};

struct TestEngine {
    explicit TestEngine(const std::string& programFolder = "T:\\no-such-program-folder");

    AlgorithmList algorithms;
    WriteBuffer buffer;
    EngineState state;
    SettingsStore settings;
    LanguagePack texts;
    std::string caption = "Vantrel";
    RecordingLog log;
    FixedClock clock;
    ScriptedInteraction ui{state};
    MachineFacts machine;
    ListedStreams streams;
    EngineContext context;
    FileShredder shredder{context};
};
