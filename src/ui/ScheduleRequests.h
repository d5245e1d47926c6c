#pragma once
// How a page turns a job into a scheduled task: the task-name dialog, then a
// new task carrying the run-mode parameters, whose property window opens.
#include <windows.h>

#include <string>

class ScheduleRequests {
public:
    virtual ~ScheduleRequests() = default;
    // The name the user typed; empty when the dialog was cancelled.
    virtual std::string AskTaskName(HWND owner) = 0;
    // Creates the task with these parameters (the run-mode command line).
    virtual void CreateTask(HWND owner, const std::string& taskName, const std::string& parameters) = 0;
};

// Until the task building is wired in: asks nothing and creates nothing.
class NoScheduleRequests final : public ScheduleRequests {
public:
    std::string AskTaskName(HWND) override { return {}; }
    void CreateTask(HWND, const std::string&, const std::string&) override {}
};
