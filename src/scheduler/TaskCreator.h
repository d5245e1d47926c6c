#pragma once
// Making tasks in the scheduling component. A task is either made whole or
// not kept at all: when a step after Add fails, the half-made task is found
// by its name and removed, and the person is told what the component
// answered. Nothing is asked of a client that is bound to nothing: without
// the component every entry point says so (9060) and does nothing.
#include <windows.h>

#include <string>

#include "engine/EngineContext.h"

class TaskClient;
class TaskNamePrompt;
class TaskSchedulerClient;

class TaskCreator {
public:
    enum class Result { Created, Cancelled, Exists, Failed, Unavailable };

    TaskCreator(EngineContext& context, TaskNamePrompt& prompt) : context_(context), prompt_(prompt) {}

    // Both null while the component is missing or could not be bound.
    void SetComponent(TaskSchedulerClient* scheduler, TaskClient* currentTask);
    bool Available() const;
    // Tells the person the scheduler cannot be reached, when it cannot.
    bool CheckAvailable();

    // Asks for a name and makes the task with its fixed properties, with
    // currentTask attached to it. Failures are reported before returning.
    Result CreateTask(std::string& name);
    // Gives the task made last its command line, commits it and, when asked,
    // opens the component's property window; a failure removes the task.
    Result FinishTask(const std::string& name, const std::wstring& parameters, bool editProperties);
    // Removes a task whose command line could not be made, and says so.
    void AbandonTask(const std::string& name, unsigned messageId);

    // The daily default tasks, each made once under its current translated
    // name. Created or Exists, or the reported failure.
    Result CreateDefaultRestorePointsTask();
    Result CreateDefaultFreeSpaceTask();

    // Whether a task of exactly this name exists; the component's failure otherwise.
    HRESULT TaskExists(const std::string& name, bool& exists) const;

private:
    class NameCheck;

    Result CreateDefaultTask(int nameId, const char* englishName, bool freeSpace);
    HRESULT AddTask(const std::string& name);
    HRESULT AddDailyTrigger();
    // Removes every trace of a task that failed at hr, and reports it.
    void Discard(const std::string& name, HRESULT hr);
    std::string Reason(HRESULT hr) const;
    HRESULT RemoveByName(const std::string& name);
    void ShowError(const std::string& text) const;

    EngineContext& context_;
    TaskNamePrompt& prompt_;
    TaskSchedulerClient* scheduler_ = nullptr;
    TaskClient* currentTask_ = nullptr;
    bool addTaken_ = false;  // the last Add reached the component and was taken
};

// "0x80004005 (Unspecified error)": an HRESULT as the person is shown it.
std::string DescribeHresult(HRESULT hr);
