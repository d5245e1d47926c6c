#include "ui/ScheduledTasks.h"

#include <algorithm>
#include <limits>

#include "scheduler/TaskClient.h"
#include "scheduler/TaskSchedulerClient.h"

namespace {
// Item and Remove take a 16-bit index: tasks past it cannot be addressed.
int16_t LastIndex(const TaskSchedulerClient& scheduler) {
    return static_cast<int16_t>(std::min<int32_t>(scheduler.Count(), std::numeric_limits<int16_t>::max()));
}
}  // namespace

bool ScheduledTasks::Usable() const {
    return scheduler_ != nullptr && currentTask_ != nullptr && scheduler_->IsBound();
}

const std::vector<ScheduledTasks::Row>& ScheduledTasks::Fill() {
    rows_.clear();
    if (!Usable()) return rows_;
    scheduler_->Refresh();
    const int16_t last = LastIndex(*scheduler_);
    rows_.reserve(static_cast<size_t>(last));
    for (int16_t i = 1; i > 0 && i <= last; ++i) {
        *currentTask_ = scheduler_->Item(i);
        if (currentTask_->IsBound() && currentTask_->Creator() == kCreator) rows_.push_back({i, currentTask_->Name()});
    }
    return rows_;
}

bool ScheduledTasks::HoldsTask(int16_t index, const std::string& name) {
    *currentTask_ = scheduler_->Item(index);
    return currentTask_->IsBound() && currentTask_->Creator() == kCreator && currentTask_->Name() == name;
}

int16_t ScheduledTasks::Locate(const Row& row) {
    if (!Usable()) return 0;
    scheduler_->Refresh();
    const int16_t last = LastIndex(*scheduler_);
    if (row.index >= 1 && row.index <= last && HoldsTask(row.index, row.name)) return row.index;
    // Names are unique in the collection, so the same name is the same task.
    for (int16_t i = 1; i > 0 && i <= last; ++i)
        if (i != row.index && HoldsTask(i, row.name)) return i;
    return 0;
}

ScheduledTasks::Outcome ScheduledTasks::Properties(size_t row) {
    if (row >= rows_.size() || Locate(rows_[row]) == 0) return Outcome::Gone;
    currentTask_->EditProperties();
    return Outcome::Done;
}

ScheduledTasks::Outcome ScheduledTasks::Run(size_t row) {
    if (row >= rows_.size() || Locate(rows_[row]) == 0) return Outcome::Gone;
    currentTask_->Run();
    return Outcome::Done;
}

ScheduledTasks::Outcome ScheduledTasks::Delete(size_t row) {
    if (row >= rows_.size()) return Outcome::Gone;
    const int16_t index = Locate(rows_[row]);
    if (index == 0) return Outcome::Gone;
    scheduler_->Remove(index);
    return Outcome::Done;
}

ScheduledTasks::Outcome ScheduledTasks::DeleteAll() {
    std::vector<Row> listed = rows_;
    // Highest index first, so no removal moves a task still to be removed.
    std::stable_sort(listed.begin(), listed.end(), [](const Row& a, const Row& b) { return a.index > b.index; });
    bool anyGone = false;
    for (const Row& row : listed) {
        const int16_t index = Locate(row);
        if (index == 0) {
            anyGone = true;
            continue;
        }
        scheduler_->Remove(index);
        scheduler_->Refresh();
    }
    rows_.clear();
    return anyGone ? Outcome::Gone : Outcome::Done;
}
