#include "component/SchedulePropertiesDlg.h"

#include <commctrl.h>

#include "component/AutomationError.h"
#include "component/ComHandles.h"
#include "component/ComponentModule.h"
#include "component/ComponentResource.h"
#include "component/TriggerSchedule.h"

namespace sched {

namespace {

const wchar_t* const kKindNames[] = {L"Once", L"Daily", L"Weekly", L"Monthly"};

struct DayBox {
    int control;
    WORD bit;
};
const DayBox kDayBoxes[] = {
    {IDC_DAY_MONDAY, TASK_MONDAY},     {IDC_DAY_TUESDAY, TASK_TUESDAY}, {IDC_DAY_WEDNESDAY, TASK_WEDNESDAY},
    {IDC_DAY_THURSDAY, TASK_THURSDAY}, {IDC_DAY_FRIDAY, TASK_FRIDAY},   {IDC_DAY_SATURDAY, TASK_SATURDAY},
    {IDC_DAY_SUNDAY, TASK_SUNDAY},
};

int MonthDayOf(const TASK_TRIGGER& trigger) {
    if (trigger.TriggerType == TASK_TIME_TRIGGER_MONTHLYDATE)
        for (int day = 1; day <= 31; ++day)
            if (trigger.Type.MonthlyDate.rgfDays & (1u << (day - 1))) return day;
    return trigger.wBeginDay >= 1 && trigger.wBeginDay <= 31 ? trigger.wBeginDay : 1;
}

}  // namespace

SchedulePropertiesDlg::SchedulePropertiesDlg(TaskState& task)
    : win::Dialog(IDD_SCHEDULE_PROPERTIES, ComponentModule::Instance().Handle()), task_(task) {}

BOOL SchedulePropertiesDlg::OnInitDialog() {
    ::SetWindowTextW(Handle(), (task_.Name() + L" - Schedule").c_str());
    for (const wchar_t* kind : kKindNames)
        ::SendMessageW(Item(IDC_SCHEDULE_KIND), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    ::SendMessageW(Item(IDC_MONTH_DAY_SPIN), UDM_SETRANGE32, 1, 31);

    // The first trigger is the one shown; a task without one starts as daily from now.
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    trigger_ = MakeTrigger(now);
    SetKind(trigger_, ScheduleKind::Daily);
    WORD count = 0;
    ITask* opened = nullptr;
    try {
        opened = &task_.Task();
    } catch (const AutomationError& error) {
        Complain(error.description);
        Close(IDCANCEL);
        return TRUE;
    }
    ITask& task = *opened;
    if (SUCCEEDED(task.GetTriggerCount(&count)) && count > 0) {
        ITaskTrigger* raw = nullptr;
        if (SUCCEEDED(task.GetTrigger(0, &raw))) {
            const ComPtr<ITaskTrigger> first(raw);
            TASK_TRIGGER stored;
            ::ZeroMemory(&stored, sizeof stored);
            stored.cbTriggerSize = sizeof stored;
            if (SUCCEEDED(first.Get()->GetTrigger(&stored))) trigger_ = stored;
        }
    }
    DWORD flags = 0;
    task.GetFlags(&flags);
    ::CheckDlgButton(Handle(), IDC_TASK_ENABLED, (flags & TASK_FLAG_DISABLED) ? BST_UNCHECKED : BST_CHECKED);
    ShowTrigger();
    return TRUE;
}

void SchedulePropertiesDlg::ShowTrigger() {
    ::SendMessageW(Item(IDC_SCHEDULE_KIND), CB_SETCURSEL, static_cast<WPARAM>(KindOf(trigger_)), 0);
    SYSTEMTIME start = StartTimeOf(trigger_);
    if (start.wYear < 1601) ::GetLocalTime(&start);
    ::SendMessageW(Item(IDC_START_DATE), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start));
    ::SendMessageW(Item(IDC_START_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start));
    const WORD days = trigger_.TriggerType == TASK_TIME_TRIGGER_WEEKLY ? trigger_.Type.Weekly.rgfDaysOfTheWeek : 0;
    for (const DayBox& box : kDayBoxes)
        ::CheckDlgButton(Handle(), box.control, (days & box.bit) ? BST_CHECKED : BST_UNCHECKED);
    ::SendMessageW(Item(IDC_MONTH_DAY_SPIN), UDM_SETPOS32, 0, MonthDayOf(trigger_));
    ShowKind();
}

void SchedulePropertiesDlg::ShowKind() {
    const LRESULT kind = ::SendMessageW(Item(IDC_SCHEDULE_KIND), CB_GETCURSEL, 0, 0);
    const BOOL weekly = kind == static_cast<LRESULT>(ScheduleKind::Weekly);
    const BOOL monthly = kind == static_cast<LRESULT>(ScheduleKind::Monthly);
    ::EnableWindow(Item(IDC_DAYS_GROUP), weekly);
    for (const DayBox& box : kDayBoxes) ::EnableWindow(Item(box.control), weekly);
    ::EnableWindow(Item(IDC_MONTH_DAY_LABEL), monthly);
    ::EnableWindow(Item(IDC_MONTH_DAY), monthly);
    ::EnableWindow(Item(IDC_MONTH_DAY_SPIN), monthly);
}

bool SchedulePropertiesDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_SCHEDULE_KIND && code == CBN_SELCHANGE) {
        ShowKind();
        return true;
    }
    return false;
}

void SchedulePropertiesDlg::Complain(const std::wstring& text) const {
    wchar_t title[256] = L"";
    ::GetWindowTextW(Handle(), title, 256);
    ::MessageBoxW(Handle(), text.c_str(), title, MB_OK | MB_ICONERROR);
}

bool SchedulePropertiesDlg::ReadTrigger(TASK_TRIGGER& trigger) {
    const LRESULT kind = ::SendMessageW(Item(IDC_SCHEDULE_KIND), CB_GETCURSEL, 0, 0);
    if (kind < 0 || !IsScheduleKind(static_cast<long>(kind))) {
        Complain(L"Please choose how often the task runs.");
        return false;
    }
    SYSTEMTIME date, time;
    if (::SendMessageW(Item(IDC_START_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) != GDT_VALID ||
        ::SendMessageW(Item(IDC_START_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) {
        Complain(L"Please give a start date and a start time.");
        return false;
    }
    trigger = trigger_;
    trigger.wBeginYear = date.wYear;
    trigger.wBeginMonth = date.wMonth;
    trigger.wBeginDay = date.wDay;
    trigger.wStartHour = time.wHour;
    trigger.wStartMinute = time.wMinute;
    SetKind(trigger, static_cast<ScheduleKind>(kind));
    if (kind == static_cast<LRESULT>(ScheduleKind::Weekly)) {
        WORD days = 0;
        for (const DayBox& box : kDayBoxes)
            if (::IsDlgButtonChecked(Handle(), box.control) == BST_CHECKED) days |= box.bit;
        if (days == 0) {
            Complain(L"Please choose at least one day of the week.");
            return false;
        }
        trigger.Type.Weekly.rgfDaysOfTheWeek = days;
    }
    if (kind == static_cast<LRESULT>(ScheduleKind::Monthly)) {
        BOOL translated = FALSE;
        const UINT day = ::GetDlgItemInt(Handle(), IDC_MONTH_DAY, &translated, FALSE);
        if (!translated || day < 1 || day > 31) {
            Complain(L"Please give a day of the month from 1 to 31.");
            return false;
        }
        trigger.Type.MonthlyDate.rgfDays = 1u << (day - 1);
    }
    return true;
}

void SchedulePropertiesDlg::Write(const TASK_TRIGGER& trigger, bool enabled) {
    ITask& task = task_.Task();
    WORD count = 0;
    ThrowIfFailed(task.GetTriggerCount(&count), L"The task's triggers could not be read.");
    ITaskTrigger* raw = nullptr;
    WORD index = 0;
    ThrowIfFailed(count > 0 ? task.GetTrigger(0, &raw) : task.CreateTrigger(&index, &raw),
                  L"The task's trigger could not be opened.");
    const ComPtr<ITaskTrigger> first(raw);
    TASK_TRIGGER value = trigger;
    ThrowIfFailed(first.Get()->SetTrigger(&value), L"The schedule could not be set.");
    DWORD flags = 0;
    ThrowIfFailed(task.GetFlags(&flags), L"The task's flags could not be read.");
    flags = enabled ? (flags & ~TASK_FLAG_DISABLED) : (flags | TASK_FLAG_DISABLED);
    ThrowIfFailed(task.SetFlags(flags), L"The task could not be enabled or disabled.");
    task_.Save();
}

void SchedulePropertiesDlg::OnOK() {
    TASK_TRIGGER trigger;
    if (!ReadTrigger(trigger)) return;
    try {
        Write(trigger, ::IsDlgButtonChecked(Handle(), IDC_TASK_ENABLED) == BST_CHECKED);
    } catch (const AutomationError& error) {
        Complain(error.description);
        return;
    }
    Close(IDOK);
}

}  // namespace sched
