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
#include "support/ScriptedInteraction.h"
#include "win/WideText.h"

class RecordingLog final : public ActivityLog {
public:
    void Write(const std::string& text) override { last = text, records.push_back(text); }
    void WriteTaskNameLine(const std::string& name) override { taskNames.push_back(name); }
    void Note(const std::string& text) override { notes.push_back(text); }
    // Kept as code-page text, so a test reads both kinds of record alike.
    void Write(const std::wstring& text) override { Write(win::NarrowAnsi(text)); }
    void WriteTaskNameLine(const std::wstring& name) override { WriteTaskNameLine(win::NarrowAnsi(name)); }
    void Note(const std::wstring& text) override { Note(win::NarrowAnsi(text)); }
    const std::string& logText() const override { return last; }

    std::vector<std::string> records;
    std::vector<std::string> taskNames;
    std::vector<std::string> notes;
    std::string last;
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
    EngineContext context;
    FileShredder shredder{context};
};
