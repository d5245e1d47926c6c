#pragma once
// The task-name dialog as a person would fill it in: each typed name is
// offered to the dialog's checks in turn (an empty one is refused as the
// dialog refuses it); the first accepted one is OK, and when none is left
// the dialog is cancelled.
#include <deque>
#include <string>
#include <vector>

#include "scheduler/TaskNamePrompt.h"

class ScriptedTaskNamePrompt final : public TaskNamePrompt {
public:
    std::deque<std::string> typed;
    std::vector<std::string> refusals;  // texts shown, "(empty)" for the empty name
    int shown = 0;

    bool AskTaskName(TaskNameCheck& check, std::string& name) override {
        ++shown;
        while (!typed.empty()) {
            const std::string candidate = typed.front();
            typed.pop_front();
            if (candidate.empty()) {
                refusals.push_back("(empty)");
                continue;
            }
            const std::string refusal = check.Refusal(candidate);
            if (refusal.empty()) {
                name = candidate;
                return true;
            }
            refusals.push_back(refusal);
        }
        return false;
    }
};
