#include "scheduler/TaskAlgorithmRenumbering.h"
#include "win/WideText.h"

#include <cstdlib>

namespace {

const char kCreator[] = "Vantrel";

struct Argument {
    size_t begin;  // first character of the text, quotes excluded
    size_t end;
};

// The run mode's own split: between pairs of double quotes when the line has
// any, otherwise runs of non-blanks.
std::vector<Argument> SplitArguments(const std::string& line) {
    std::vector<Argument> arguments;
    if (line.find('"') != std::string::npos) {
        size_t at = 0;
        for (;;) {
            const size_t open = line.find('"', at);
            if (open == std::string::npos) break;
            const size_t close = line.find('"', open + 1);
            if (close == std::string::npos) {
                arguments.push_back({open + 1, line.size()});
                break;
            }
            arguments.push_back({open + 1, close});
            at = close + 1;
        }
        return arguments;
    }
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && line[at] == ' ') ++at;
        if (at >= line.size()) break;
        const size_t start = at;
        while (at < line.size() && line[at] != ' ') ++at;
        arguments.push_back({start, at});
    }
    return arguments;
}

// As the run mode reads it: the number after the first two characters.
int32_t SwitchValue(const std::string& text) {
    return static_cast<int32_t>(std::strtol(text.c_str() + 2, nullptr, 10));
}

}  // namespace

MethodRewrite RewriteMethodSwitch(const std::string& parameters, const PositionMap& map) {
    MethodRewrite rewrite;
    rewrite.parameters = parameters;
    const std::vector<Argument> arguments = SplitArguments(parameters);
    bool expectTaskName = false;
    // From the last argument back, so earlier offsets stay valid while texts change length.
    std::vector<Argument> switches;
    for (const Argument& argument : arguments) {
        const std::string text = parameters.substr(argument.begin, argument.end - argument.begin);
        if (text == "/s") {
            expectTaskName = true;
            continue;
        }
        if (expectTaskName) {
            expectTaskName = false;
            continue;
        }
        if (text.size() >= 2 && text[0] == '/' && text[1] == 'O') switches.push_back(argument);
    }
    for (auto it = switches.rbegin(); it != switches.rend(); ++it) {
        const std::string text = parameters.substr(it->begin, it->end - it->begin);
        const int32_t old = SwitchValue(text);
        int32_t now = map(old);
        if (now < 0) {
            rewrite.algorithmGone = true;
            now = 0;
        }
        if (now == old) continue;
        rewrite.parameters.replace(it->begin, it->end - it->begin, "/O" + std::to_string(now));
        rewrite.changed = true;
    }
    return rewrite;
}

RenumberReport RenumberTaskAlgorithms(TaskSchedulerClient& scheduler, const PositionMap& map) {
    RenumberReport report;
    if (!scheduler.IsBound()) return report;
    scheduler.Refresh();
    const int32_t count = scheduler.Count();
    for (int32_t i = 1; i <= count && i <= INT16_MAX; ++i) {
        TaskClient task = scheduler.Item(static_cast<int16_t>(i));
        if (!task.IsBound() || task.Creator() != kCreator) continue;
        // Rewritten in UTF-8, which keeps every character of the paths; only
        // the ASCII switches change.
        const MethodRewrite rewrite = RewriteMethodSwitch(win::ToUtf8(task.Parameters()), map);
        if (!rewrite.changed) continue;
        if (FAILED(task.SetParameters(win::FromUtf8(rewrite.parameters))) || FAILED(task.Commit())) {
            report.notUpdated.push_back(task.Name());
            continue;
        }
        ++report.rewritten;
        if (rewrite.algorithmGone) report.nowQuickShred.push_back(task.Name());
    }
    return report;
}
