// EditProperties opens the component's own schedule window (the system's
// property sheet is not there under this scheduler); a second thread works
// it the way a person would and the result is read back from the scheduler.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <thread>

#include "component/ComponentFixture.h"
#include "component/ComponentResource.h"

namespace {

struct WindowState {
    LRESULT kind = -1;
    SYSTEMTIME time{};
};

// Waits for the window, records what it shows, acts on it and presses `button`.
class ScheduleWindowDriver {
public:
    ScheduleWindowDriver(const std::string& title, std::function<void(HWND)> act, int button)
        : thread_([this, title, act, button] {
              for (int i = 0; i < 300 && !found; ++i) {
                  const HWND window = ::FindWindowA("#32770", title.c_str());
                  if (window == nullptr || !::IsWindowVisible(window)) {
                      ::Sleep(100);
                      continue;
                  }
                  found = true;
                  shown.kind = ::SendMessageA(::GetDlgItem(window, IDC_SCHEDULE_KIND), CB_GETCURSEL, 0, 0);
                  ::SendMessageA(::GetDlgItem(window, IDC_START_TIME), DTM_GETSYSTEMTIME, 0,
                                 reinterpret_cast<LPARAM>(&shown.time));
                  act(window);
                  ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(::GetDlgItem(window, button)));
              }
          }) {}
    ~ScheduleWindowDriver() { thread_.join(); }

    std::atomic<bool> found{false};
    WindowState shown;

private:
    std::thread thread_;
};

void ChooseKind(HWND window, int kind) {
    const HWND combo = ::GetDlgItem(window, IDC_SCHEDULE_KIND);
    ::SendMessageA(combo, CB_SETCURSEL, kind, 0);
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_SCHEDULE_KIND, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SetStartTime(HWND window, WORD hour, WORD minute) {
    SYSTEMTIME time{2026, 1, 0, 1, hour, minute, 0, 0};
    ::SendMessageA(::GetDlgItem(window, IDC_START_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void Check(HWND window, int control, bool on) {
    ::SendMessageA(::GetDlgItem(window, control), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

class PropertiesDialogTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        task = MakeTask("EditMe");
        TriggerClient once = task.Triggers().Add();
        SYSTEMTIME start{2036, 5, 0, 6, 7, 8, 0, 0};
        const DATE when = [&] { DATE d = 0; ::SystemTimeToVariantTime(&start, &d); return d; }();
        ASSERT_EQ(once.SetTriggerType(0), S_OK);
        ASSERT_EQ(once.SetStartDate(when), S_OK);
        ASSERT_EQ(once.SetStartTime(when), S_OK);
        ASSERT_EQ(task.Commit(), S_OK);
    }
    TASK_TRIGGER Stored() { return SystemTasks::FirstTrigger(*system.Open(L"EditMe").Get()); }
    DWORD StoredFlags() {
        DWORD flags = 0;
        system.Open(L"EditMe").Get()->GetFlags(&flags);
        return flags;
    }

    TaskClient task;
};

TEST_F(PropertiesDialogTest, OkWritesADailyScheduleAtTheChosenTime) {
    {
        ScheduleWindowDriver driver("EditMe - Schedule", [](HWND w) { ChooseKind(w, 1); SetStartTime(w, 21, 45); }, IDOK);
        EXPECT_EQ(task.EditProperties(), S_OK);
        ASSERT_TRUE(driver.found);
        EXPECT_EQ(driver.shown.kind, 0) << "the window shows the task's trigger: once";
        EXPECT_EQ(driver.shown.time.wHour * 100 + driver.shown.time.wMinute, 708);
    }
    const TASK_TRIGGER trigger = Stored();
    EXPECT_EQ(trigger.TriggerType, TASK_TIME_TRIGGER_DAILY);
    EXPECT_EQ(trigger.Type.Daily.DaysInterval, 1);
    EXPECT_EQ(trigger.wStartHour * 100 + trigger.wStartMinute, 2145);
    EXPECT_EQ(trigger.wBeginYear * 10000 + trigger.wBeginMonth * 100 + trigger.wBeginDay, 20360506);
    EXPECT_FALSE(StoredFlags() & TASK_FLAG_DISABLED);
}

TEST_F(PropertiesDialogTest, WeeklyDaysAndDisablingAreKeptAndCancelChangesNothing) {
    {
        ScheduleWindowDriver driver("EditMe - Schedule", [](HWND w) {
            ChooseKind(w, 2);
            Check(w, IDC_DAY_TUESDAY, true);
            Check(w, IDC_DAY_FRIDAY, true);
            Check(w, IDC_TASK_ENABLED, false);
        }, IDOK);
        EXPECT_EQ(task.EditProperties(), S_OK);
        ASSERT_TRUE(driver.found);
    }
    TASK_TRIGGER trigger = Stored();
    EXPECT_EQ(trigger.TriggerType, TASK_TIME_TRIGGER_WEEKLY);
    EXPECT_EQ(trigger.Type.Weekly.rgfDaysOfTheWeek, TASK_TUESDAY | TASK_FRIDAY);
    EXPECT_TRUE(StoredFlags() & TASK_FLAG_DISABLED);

    {
        ScheduleWindowDriver driver("EditMe - Schedule", [](HWND w) { ChooseKind(w, 3); SetStartTime(w, 1, 2); },
                                    IDCANCEL);
        EXPECT_EQ(task.EditProperties(), S_OK);
        ASSERT_TRUE(driver.found);
        EXPECT_EQ(driver.shown.kind, 2);
    }
    trigger = Stored();
    EXPECT_EQ(trigger.TriggerType, TASK_TIME_TRIGGER_WEEKLY);
    EXPECT_EQ(trigger.wStartHour * 100 + trigger.wStartMinute, 708);
}

}  // namespace
