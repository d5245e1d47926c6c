#pragma once
// The run mode's command line: switches set the run values, "/s" makes the
// run silent and takes the next argument as the task name, everything else
// is a target.
#include <string>
#include <vector>

class ActivityLog;
struct EngineState;

class CommandLine {
public:
    CommandLine(EngineState& state, ActivityLog& log) : state_(state), log_(log) {}

    // Splits the text after the program name into arguments: the quoted
    // ones when it holds a double quote, else the runs between spaces.
    bool ParseCommandLine(const std::string& text);
    bool ParseArgument(const std::string& argument);

    const std::vector<std::string>& targets() const { return targets_; }

private:
    EngineState& state_;
    ActivityLog& log_;
    bool expectTaskName_ = false;
    std::vector<std::string> targets_;
};

// The decimal number at the start of text (blanks skipped, optional sign,
// digits up to the first other character; none gives 0), held to 32 bits.
int ParseSwitchValue(const std::string& text);
