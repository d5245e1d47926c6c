#pragma once
// This program's tasks in the scheduling component, as the Scheduler page
// lists them, and what the page does to them. A row keeps the collection
// index its task had at the last filling, but another program (or a task
// that removes itself) can move it: before each action the index is checked
// to still hold a task of this program with the row's name, and the task is
// found again by name when it moved. A task that is gone is never replaced
// by whatever now sits at its index.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TaskClient;
class TaskSchedulerClient;

class ScheduledTasks {
public:
    static constexpr const char* kCreator = "Vantrel";

    struct Row {
        int16_t index;  // 1-based, over every task of the collection
        std::string name;
    };

    enum class Outcome {
        Done,
        Gone,  // the row's task is no longer there; the list is to be filled again
    };

    // Either may be null while the component is missing.
    ScheduledTasks(TaskSchedulerClient* scheduler, TaskClient* currentTask)
        : scheduler_(scheduler), currentTask_(currentTask) {}

    // False while the component is missing or the client is bound to nothing.
    bool Usable() const;

    // Refreshes the collection and lists the tasks of this program.
    const std::vector<Row>& Fill();
    const std::vector<Row>& rows() const { return rows_; }

    Outcome Properties(size_t row);
    Outcome Run(size_t row);
    // The row's task is removed; the page fills its list again.
    Outcome Delete(size_t row);
    // Removes the task of every row, highest index first; Gone when some had
    // already gone (the others are removed all the same).
    Outcome DeleteAll();

private:
    // The task's index now, with currentTask attached to it; 0 when gone.
    int16_t Locate(const Row& row);
    bool HoldsTask(int16_t index, const std::string& name);

    TaskSchedulerClient* scheduler_;
    TaskClient* currentTask_;
    std::vector<Row> rows_;
};
