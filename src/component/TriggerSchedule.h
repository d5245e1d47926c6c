#pragma once
// The schedule kinds the component offers and how each fills a trigger.
// Kinds are the trigger types: 0 once, 1 daily, 2 weekly, 3 monthly on a day.
#include <windows.h>
#include <oleauto.h>
#include <mstask.h>

namespace sched {

enum class ScheduleKind : long { Once = 0, Daily = 1, Weekly = 2, Monthly = 3 };

bool IsScheduleKind(long value);
ScheduleKind KindOf(const TASK_TRIGGER& trigger);

// A trigger that fires once at the given local time.
TASK_TRIGGER MakeTrigger(const SYSTEMTIME& start);
// Every day, every week on the start date's weekday (unless days are set),
// or every month on the start date's day.
void SetKind(TASK_TRIGGER& trigger, ScheduleKind kind);
// Only the date part, or only the time of day, of an automation date in local time.
bool SetStartDate(TASK_TRIGGER& trigger, DATE date);
bool SetStartTime(TASK_TRIGGER& trigger, DATE time);
DATE StartOf(const TASK_TRIGGER& trigger);
SYSTEMTIME StartTimeOf(const TASK_TRIGGER& trigger);

}  // namespace sched
