#pragma once
// A stand-in for the scheduling component's task collection, reached only
// through IDispatch as the real one is: tasks with a name, Creator and
// Parameters that a client can read, change and Commit.
#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string>
#include <vector>

struct FakeTask {
    std::string name;
    std::string creator;
    std::string parameters;       // as committed
    std::string pendingParameters;  // put but not yet committed
    int commits = 0;
    bool refuseCommit = false;
};

class FakeTaskScheduler {
public:
    FakeTaskScheduler();
    ~FakeTaskScheduler();
    FakeTaskScheduler(const FakeTaskScheduler&) = delete;
    FakeTaskScheduler& operator=(const FakeTaskScheduler&) = delete;

    FakeTask& Add(const std::string& name, const std::string& creator, const std::string& parameters);
    // The collection's object; the fake keeps its own reference.
    IDispatch* Collection() const;

    std::vector<std::unique_ptr<FakeTask>> tasks;

private:
    class Object;
    Object* collection_;
};
