#pragma once
// The component's own schedule window for one task: the kind of schedule,
// start date and time, the days of a weekly schedule, the day of a monthly
// one, and whether the task is enabled. OK writes the task's first trigger
// and saves the task; Cancel changes nothing.
#include <mstask.h>

#include "component/TaskState.h"
#include "win/Dialog.h"

namespace sched {

class SchedulePropertiesDlg : public win::Dialog {
public:
    explicit SchedulePropertiesDlg(TaskState& task);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override;

private:
    void ShowTrigger();
    void ShowKind();
    // False, after telling the user why, when the window holds no schedule.
    bool ReadTrigger(TASK_TRIGGER& trigger);
    void Write(const TASK_TRIGGER& trigger, bool enabled);
    void Complain(const std::wstring& text) const;

    TaskState& task_;
    TASK_TRIGGER trigger_{};
};

}  // namespace sched
