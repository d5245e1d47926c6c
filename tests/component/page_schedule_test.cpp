// The pages' Schedule requests carried all the way to the system's scheduler:
// the program's task creation over the registered component, the component's
// property window answered with OK, each task read back through mstask.
#include <windows.h>

#include <atomic>
#include <thread>

#include "component/ComponentFixture.h"
#include "engine/FolderShredder.h"
#include "lang/TextFill.h"
#include "scheduler/TaskScheduling.h"
#include "support/ScriptedTaskNamePrompt.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "ui/TaskScheduleRequests.h"

namespace {

constexpr char kSettingsKey[] = "software\\Korvex\\Vantrel";

// Values of the program's settings key put back as they were, or removed
// when they were not there.
class SavedSettings {
public:
    explicit SavedSettings(std::vector<std::string> names) {
        for (std::string& name : names) {
            Saved saved{std::move(name)};
            HKEY key = nullptr;
            if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
                DWORD size = sizeof saved.data;
                saved.present = ::RegQueryValueExA(key, saved.name.c_str(), nullptr, &saved.type, saved.data,
                                                   &size) == ERROR_SUCCESS;
                saved.size = size;
                ::RegCloseKey(key);
            }
            saved_.push_back(saved);
        }
    }
    ~SavedSettings() {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return;
        for (const Saved& saved : saved_) {
            if (saved.present)
                ::RegSetValueExA(key, saved.name.c_str(), 0, saved.type, saved.data, saved.size);
            else
                ::RegDeleteValueA(key, saved.name.c_str());
        }
        ::RegCloseKey(key);
    }

private:
    struct Saved {
        std::string name;
        bool present = false;
        DWORD type = REG_NONE;
        BYTE data[64] = {};
        DWORD size = 0;
    };
    std::vector<Saved> saved_;
};

// Presses OK in the component's property window of one task once it shows.
class PropertyWindowAnswer {
public:
    explicit PropertyWindowAnswer(const std::string& taskName)
        : thread_([this, title = taskName + " - Schedule"] {
              for (int i = 0; i < 300 && !stop; ++i) {
                  const HWND window = ::FindWindowA("#32770", title.c_str());
                  if (window == nullptr || !::IsWindowVisible(window)) {
                      ::Sleep(100);
                      continue;
                  }
                  found = true;
                  ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(::GetDlgItem(window, IDOK)));
                  return;
              }
          }) {}
    ~PropertyWindowAnswer() {
        stop = true;
        thread_.join();
    }

    std::atomic<bool> found{false};
    std::atomic<bool> stop{false};

private:
    std::thread thread_;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

class PageScheduleTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        tasks.SetComponent(&scheduler, &current);
        engine.settings.WriteInt("Method", 2);
        engine.settings.WriteInt("Folder", 2);
        engine.settings.WriteInt("Remove", 0);
        engine.settings.WriteInt("PassCount", 3);
    }
    void TearDown() override {
        current.ReleaseDispatch();
        ComponentTest::TearDown();
        for (const std::wstring& name : made) EXPECT_FALSE(system.Has(name)) << Narrow(name) << " is left behind";
    }

    // Types the task's name and answers the property window while the page's request runs.
    template <typename Request>
    void Schedule(const std::string& name, Request request) {
        made.push_back(Wide(name));
        prompt.typed = {name};
        PropertyWindowAnswer answer(name);
        request();
        answer.stop = true;
        EXPECT_TRUE(answer.found) << name << ": the component's property window";
    }

    // What the system's scheduler stores for the task: its command line, or a failure.
    void ExpectStored(const std::string& name, const std::string& parameters) {
        const ComPtr<ITask> task = system.Open(Wide(name));
        ASSERT_TRUE(task.Valid()) << name << " is not in the system's scheduler";
        EXPECT_EQ(Narrow(SystemTasks::Text(*task.Get(), &ITask::GetCreator)), "Vantrel") << name;
        EXPECT_EQ(Narrow(SystemTasks::Text(*task.Get(), &ITask::GetApplicationName)),
                  folder.path() + "\\Vantrel.exe")
            << name;
        EXPECT_EQ(Narrow(SystemTasks::Text(*task.Get(), &ITask::GetParameters)), parameters) << name;
    }

    SavedSettings saved{{"Method", "Folder", "Remove", "PassCount"}};
    TestFolder folder;
    TestEngine engine{folder.path()};
    FolderShredder folders{engine.context, engine.shredder};
    ScriptedTaskNamePrompt prompt;
    TaskClient current;
    TaskScheduling tasks{engine.context, folders, prompt};
    TaskScheduleRequests pages{tasks};
};

TEST_F(PageScheduleTest, ScheduleFromEachPageReachesTheSystemScheduler) {
    EXPECT_STREQ(kSchedulerProgId, "TaskScheduler.Schedule");
    const std::string a = folder.MakeFile("a.txt", 10);
    const std::string bc = folder.MakeFile("b c.txt", 10);
    const std::string one = folder.MakeDir("one");
    const std::string two = folder.MakeDir("two words");
    const std::string point1 = folder.MakeDir("RP1");
    const std::string point2 = folder.MakeDir("RP2");

    Schedule("Files", [&] { EXPECT_TRUE(pages.ScheduleFiles(nullptr, {a, bc})) << "the list is emptied"; });
    ExpectStored("Files", "\"/s\" \"Files\" \"/O2\" \"" + a + "\" \"" + bc + "\"");

    // The component refuses a name that differs from a task's only in letter
    // case: said so, the list kept, and the task of the other name left alone.
    made.push_back(L"FILES");
    prompt.typed = {"FILES"};
    EXPECT_FALSE(pages.ScheduleFiles(nullptr, {a}));
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(engine.ui.messages[0].text.find(ReplaceAll(engine.texts.Text(15051), "%s", "FILES") + "\n"), 0u)
        << engine.ui.messages[0].text;
    engine.ui.messages.clear();
    ExpectStored("Files", "\"/s\" \"Files\" \"/O2\" \"" + a + "\" \"" + bc + "\"");

    Schedule("Folders", [&] { EXPECT_TRUE(pages.ScheduleFolders(nullptr, {one, two})); });
    ExpectStored("Folders", "\"/s\" \"Folders\" \"/O2\" \"/F2\" \"/R0\" \"" + one + "\" \"" + two + "\"");

    Schedule("Drive", [&] { pages.ScheduleDrive(nullptr, "Local Disk (T:)", 0); });
    ExpectStored("Drive", "\"/s\" \"Drive\" \"/O2\" \"/D0\" \"T:\\\"");

    Schedule("Bin", [&] { pages.ScheduleRecycleBin(nullptr); });
    ExpectStored("Bin", "\"/s\" \"Bin\" \"/O2\" \"recycle\"");

    Schedule("Points", [&] {
        EXPECT_FALSE(pages.ScheduleRestorePoints(nullptr, {point1, point2}, 2, 5)) << "the list stays";
    });
    ExpectStored("Points", "\"/s\" \"Points\" \"/O2\" \"/F2\" \"/R0\" \"" + point1 + "\" \"" + point2 + "\"");

    // Every point of the system listed: the daily default task, without a name asked or a window shown.
    const std::string defaultName = "Vantrel-Shred Restore Points";
    ASSERT_FALSE(system.Has(Wide(defaultName))) << "the prefix already holds the default task";
    made.push_back(Wide(defaultName));
    const int asked = prompt.shown;
    EXPECT_FALSE(pages.ScheduleRestorePoints(nullptr, {point1, point2}, 2, 2));
    EXPECT_EQ(prompt.shown, asked);
    ExpectStored(defaultName, "\"/s\" \"Vantrel-Shred Restore Points\" \"/O2\" \"/T3\" \"/F1\" \"/R1\"  \"restorepoints\"");
    const ComPtr<ITask> daily = system.Open(Wide(defaultName));
    if (daily.Valid()) {
        const TASK_TRIGGER trigger = SystemTasks::FirstTrigger(*daily.Get());
        EXPECT_EQ(trigger.TriggerType, TASK_TIME_TRIGGER_DAILY);
        EXPECT_EQ(trigger.Type.Daily.DaysInterval, 1);
    }

    for (const ShownMessage& message : engine.ui.messages) ADD_FAILURE() << "shown: " << message.text;
}

}  // namespace
