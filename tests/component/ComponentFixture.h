#pragma once
// Every test talks to the registered component through the program's own
// clients, and removes the tasks it made. Their triggers lie years ahead:
// the prefix's scheduler service runs a task whose time has come and writes
// its file again, even after the test removed it.
#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "app/SchedulerComponent.h"
#include "component/SystemTasks.h"
#include "scheduler/TaskSchedulerClient.h"

struct ComApartment {
    ComApartment() { ::CoInitialize(nullptr); }
    ~ComApartment() { ::CoUninitialize(); }
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(system.valid()) << "the system's scheduler";
        ASSERT_TRUE(scheduler.CreateDispatch(kSchedulerProgId)) << "the component is registered in this prefix";
    }
    void TearDown() override {
        for (const std::wstring& name : made) system.Delete(name);
    }

    // A committed task of this program, as the Schedule buttons make one.
    TaskClient MakeTask(const std::string& name, const std::string& program = "C:\\Vantrel\\Vantrel.exe") {
        made.push_back(std::wstring(name.begin(), name.end()));
        TaskClient task = scheduler.Add(name);
        EXPECT_TRUE(task.IsBound()) << name;
        EXPECT_EQ(task.SetCreator("Vantrel"), S_OK);
        EXPECT_EQ(task.SetApplicationName(program), S_OK);
        EXPECT_EQ(task.SetParameters("\"/s\" \"" + name + "\" \"recycle\""), S_OK);
        EXPECT_EQ(task.Commit(), S_OK);
        return task;
    }
    std::vector<std::string> ListedNames() {
        std::vector<std::string> names;
        scheduler.Refresh();
        for (int16_t i = 1; i <= scheduler.Count(); ++i) names.push_back(scheduler.Item(i).Name());
        return names;
    }

    ComApartment com;
    SystemTasks system;
    TaskSchedulerClient scheduler;
    std::vector<std::wstring> made;
};
