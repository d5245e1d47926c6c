#pragma once
// What the engine's jobs work with. The application object owns each piece;
// a test builds a context of its own without the whole program.
#include <string>

class ActivityLog;
class AlgorithmList;
class Clock;
class DriveSeekPenalty;
class FreeSpaceTrim;
class LanguagePack;
class RedirectionFunctions;
class SettingsStore;
class StreamLister;
class UserInteraction;
class WriteBuffer;
struct EngineState;
struct MachineFacts;

struct EngineContext {
    const AlgorithmList& algorithms;
    WriteBuffer& buffer;
    EngineState& state;
    const SettingsStore& settings;
    const LanguagePack& texts;
    const std::string& programCaption;
    ActivityLog& log;
    UserInteraction& ui;
    Clock& clock;
    const MachineFacts& machine;
    const StreamLister& streams;  // the named streams of a file
    // The switch of 64-bit Windows' file-system redirection; null: none.
    RedirectionFunctions* redirection = nullptr;
    // What the drives answer of themselves; none: every drive counts as a
    // hard disk and none is trimmed.
    DriveSeekPenalty* seekPenalty = nullptr;
    FreeSpaceTrim* trim = nullptr;
};
