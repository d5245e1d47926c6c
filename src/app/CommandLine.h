#pragma once
// The run mode's command line: switches set the run values, "/s" makes the
// run silent and takes the next argument as the task name, everything else
// is a target. It is read as the system holds it, in UTF-16, so a target of
// any script arrives whole.
#include <string>
#include <vector>

#include "win/FsPath.h"

class ActivityLog;
struct EngineState;

class CommandLine {
public:
    CommandLine(EngineState& state, ActivityLog& log) : state_(state), log_(log) {}

    // Splits the text after the program name into arguments: the quoted
    // ones when it holds a double quote, else the runs between spaces.
    bool ParseCommandLine(const std::wstring& text);
    bool ParseArgument(const std::wstring& argument);

    const std::vector<win::FsPath>& targets() const { return targets_; }

private:
    EngineState& state_;
    ActivityLog& log_;
    bool expectTaskName_ = false;
    std::vector<win::FsPath> targets_;
};

// The decimal number at the start of text (blanks skipped, optional sign,
// digits up to the first other character; none gives 0), held to 32 bits.
int ParseSwitchValue(const std::wstring& text);

// The text after the program's name in a whole command line (a quoted name
// ends at its closing quote, a bare one at the first blank). Some schedulers
// (Wine's among them) start a task with its parameters alone, leaving the
// program's name off the front: no program path is "/s", so a whole command
// line that begins with it is all arguments.
std::wstring ArgumentsOf(const std::wstring& wholeCommandLine);
