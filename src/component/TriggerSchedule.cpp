#include "component/TriggerSchedule.h"

namespace sched {

namespace {

WORD WeekdayBit(const TASK_TRIGGER& trigger) {
    SYSTEMTIME day = StartTimeOf(trigger);
    DATE date = 0;
    if (!::SystemTimeToVariantTime(&day, &date) || !::VariantTimeToSystemTime(date, &day)) return TASK_MONDAY;
    return static_cast<WORD>(TASK_SUNDAY << day.wDayOfWeek);  // wDayOfWeek counts from Sunday
}

}  // namespace

bool IsScheduleKind(long value) { return value >= 0 && value <= 3; }

ScheduleKind KindOf(const TASK_TRIGGER& trigger) {
    switch (trigger.TriggerType) {
    case TASK_TIME_TRIGGER_DAILY: return ScheduleKind::Daily;
    case TASK_TIME_TRIGGER_WEEKLY: return ScheduleKind::Weekly;
    case TASK_TIME_TRIGGER_MONTHLYDATE: return ScheduleKind::Monthly;
    default: return ScheduleKind::Once;
    }
}

TASK_TRIGGER MakeTrigger(const SYSTEMTIME& start) {
    TASK_TRIGGER trigger;
    ::ZeroMemory(&trigger, sizeof trigger);
    trigger.cbTriggerSize = sizeof trigger;
    trigger.wBeginYear = start.wYear;
    trigger.wBeginMonth = start.wMonth;
    trigger.wBeginDay = start.wDay;
    trigger.wStartHour = start.wHour;
    trigger.wStartMinute = start.wMinute;
    trigger.TriggerType = TASK_TIME_TRIGGER_ONCE;
    return trigger;
}

void SetKind(TASK_TRIGGER& trigger, ScheduleKind kind) {
    const WORD keptDays =
        trigger.TriggerType == TASK_TIME_TRIGGER_WEEKLY ? trigger.Type.Weekly.rgfDaysOfTheWeek : 0;
    ::ZeroMemory(&trigger.Type, sizeof trigger.Type);
    switch (kind) {
    case ScheduleKind::Once: trigger.TriggerType = TASK_TIME_TRIGGER_ONCE; break;
    case ScheduleKind::Daily:
        trigger.TriggerType = TASK_TIME_TRIGGER_DAILY;
        trigger.Type.Daily.DaysInterval = 1;
        break;
    case ScheduleKind::Weekly:
        trigger.TriggerType = TASK_TIME_TRIGGER_WEEKLY;
        trigger.Type.Weekly.WeeksInterval = 1;
        trigger.Type.Weekly.rgfDaysOfTheWeek = keptDays != 0 ? keptDays : WeekdayBit(trigger);
        break;
    case ScheduleKind::Monthly:
        trigger.TriggerType = TASK_TIME_TRIGGER_MONTHLYDATE;
        trigger.Type.MonthlyDate.rgfDays = trigger.wBeginDay >= 1 && trigger.wBeginDay <= 31 ? 1u << (trigger.wBeginDay - 1) : 1u;
        trigger.Type.MonthlyDate.rgfMonths = 0xFFF;  // every month
        break;
    }
}

bool SetStartDate(TASK_TRIGGER& trigger, DATE date) {
    SYSTEMTIME day;
    if (!::VariantTimeToSystemTime(date, &day) || day.wYear < 1601) return false;
    trigger.wBeginYear = day.wYear;
    trigger.wBeginMonth = day.wMonth;
    trigger.wBeginDay = day.wDay;
    if (trigger.TriggerType == TASK_TIME_TRIGGER_MONTHLYDATE) trigger.Type.MonthlyDate.rgfDays = 1u << (day.wDay - 1);
    return true;
}

bool SetStartTime(TASK_TRIGGER& trigger, DATE time) {
    SYSTEMTIME clock;
    if (!::VariantTimeToSystemTime(time, &clock)) return false;
    trigger.wStartHour = clock.wHour;
    trigger.wStartMinute = clock.wMinute;
    return true;
}

SYSTEMTIME StartTimeOf(const TASK_TRIGGER& trigger) {
    SYSTEMTIME start;
    ::ZeroMemory(&start, sizeof start);
    start.wYear = trigger.wBeginYear;
    start.wMonth = trigger.wBeginMonth;
    start.wDay = trigger.wBeginDay;
    start.wHour = trigger.wStartHour;
    start.wMinute = trigger.wStartMinute;
    return start;
}

DATE StartOf(const TASK_TRIGGER& trigger) {
    SYSTEMTIME start = StartTimeOf(trigger);
    DATE date = 0;
    if (!::SystemTimeToVariantTime(&start, &date)) return 0;
    return date;
}

}  // namespace sched
