// The first-run wizard's offers run for real on Finish: the daily free-space
// task through the registered component, read back through mstask; the
// restore-point folders and the Recycle Bin of the drive component_tests.sh
// links in and names in VANTREL_WIZARD_DRIVE (without it, skipped). Only the
// shell's part of emptying the bin is played by a double: Wine's bin is the
// Linux user's trash.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "component/ComponentFixture.h"
#include "engine/FolderLinkGuard.h"
#include "engine/FolderListing.h"
#include "engine/FolderShredder.h"
#include "engine/RecycleBinShredder.h"
#include "engine/RestorePointShredder.h"
#include "res/resource.h"
#include "scheduler/TaskScheduling.h"
#include "support/ScriptedTaskNamePrompt.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "support/WizardDriver.h"
#include "ui/FirstRunWizard.h"
#include "win/NoSkinEngine.h"

namespace {

const std::string kSid = "S-1-5-21-1004336348-1177238915-682003330-1003";
const char kTaskName[] = "Vantrel-Shred Empty Disk Space";

// The shell's side of one bin folder: counts its items, and on Empty notes
// whether each file still held its old bytes before removing it.
class OneFolderBin final : public RecycleBinShell {
public:
    std::string folder;  // the bin's own folder
    std::vector<std::string> emptied;
    std::vector<std::string> unchangedWhenEmptied;

    RecycleBinAccess Open() override { return RecycleBinAccess::Ready; }
    void Close() override {}
    HRESULT Query(const std::string& root, RecycleBinContents& contents) override {
        contents = RecycleBinContents{};
        if (OwnsRoot(root)) contents.items = contents.bytes = static_cast<int64_t>(Items().size());
        return S_OK;
    }
    void Empty(const std::string& root) override {
        if (!OwnsRoot(root)) return;
        emptied.push_back(root);
        for (const std::string& item : Items()) {
            const std::vector<uint8_t> bytes = ReadBytes(item);
            if (!bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0x42; }))
                unchangedWhenEmptied.push_back(item);
            if (!::DeleteFileA(item.c_str())) RemoveTree(item);
        }
    }

private:
    bool OwnsRoot(const std::string& root) const { return folder.compare(0, root.size(), root) == 0; }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        FolderListing listing(folder);
        for (bool more = static_cast<bool>(listing); more; more = listing.Next()) {
            const WIN32_FIND_DATAW& entry = listing.Entry();
            if (IsDotEntry(entry) || !::lstrcmpiW(entry.cFileName, L"desktop.ini") ||
                !::lstrcmpiW(entry.cFileName, L"INFO2"))
                continue;
            items.push_back(win::FsPath(folder).Join(entry.cFileName).Utf8());
        }
        return items;
    }
};

class FirstRunWizardJobsTest : public ComponentTest {
protected:
    void SetUp() override {
        const char* drive = std::getenv("VANTREL_WIZARD_DRIVE");
        if (drive == nullptr || std::strlen(drive) != 1) GTEST_SKIP() << "the drive is linked by component_tests.sh";
        ComponentTest::SetUp();
        root = std::string(1, drive[0]) + ":\\";
        const size_t index = static_cast<size_t>(root[0] - 'A');
        engine.machine.driveRoots.fill("");
        engine.machine.driveRoots[index] = root;
        engine.machine.driveIsNtfs[index] = true;
        engine.machine.userSid = kSid;
        engine.settings.WriteInt("Method", 0);  // one pass of zeros
        engine.settings.WriteInt("PassCount", 1);
        engine.settings.WriteInt("Folder", 0);
        engine.settings.WriteInt("Remove", 0);
        engine.settings.Write(setting::kBinAlertDisabled, 0);
        engine.settings.Write(setting::kFirstRun, "1");

        ASSERT_TRUE(::CreateDirectoryA(Volume().c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA((Volume() + "\\_restore{w}").c_str(), nullptr));
        for (int n : {7, 8}) {
            ASSERT_TRUE(::CreateDirectoryA(Point(n).c_str(), nullptr));
            WriteFilled(Point(n) + "\\change.log", 70000, 0x5a);
        }
        points = {{"Before the update", "1/2/2026 10:00", 7, 0}, {"Nightly", "1/3/2026 10:00", 8, 0}};

        ::CreateDirectoryA((root + "Recycler").c_str(), nullptr);
        ASSERT_TRUE(::CreateDirectoryA(Bin().c_str(), nullptr));
        shell.folder = Bin();
        WriteFilled(Bin() + "\\Dc1.txt", 50000, 0x42);
        WriteFilled(Bin() + "\\Dc2.doc", 3000, 0x42);
        WriteFilled(root + "keep.txt", 5000, 0x42);

        tasks.SetComponent(&scheduler, &currentTask);
        made.push_back(std::wstring(kTaskName, kTaskName + std::strlen(kTaskName)));
    }
    void TearDown() override {
        currentTask.ReleaseDispatch();
        ComponentTest::TearDown();
        if (root.empty()) return;
        RemoveTree(Volume());
        RemoveTree(root + "Recycler");
        ::DeleteFileA((root + "keep.txt").c_str());
        engine.settings.Write(setting::kFirstRun, "0");
    }

    int RunWizard(const std::function<void(WizardDriver&)>& steps) { return RunDrivenWizard(parts, steps); }

    std::string Volume() const { return root + "System Volume Information"; }
    std::string Point(int n) const { return Volume() + "\\_restore{w}\\RP" + std::to_string(n); }
    std::string Bin() const { return root + "Recycler\\" + kSid; }

    std::string root;
    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    std::vector<RestorePointRecord> points;
    RestorePointShredder restorePoints{engine.context, folders, points};
    OneFolderBin shell;
    RecycleBinShredder recycleBin{engine.context, folders, engine.shredder, shell};
    ScriptedTaskNamePrompt prompt;
    TaskScheduling tasks{engine.context, folders, prompt};
    TaskClient currentTask;
    NoSkinEngine skin;
    EngineFirstRunJobs jobs{{engine.context, engine.machine, tasks, recycleBin, restorePoints}};
    FirstRunParts parts{engine.texts, skin, engine.ui, engine.settings, "Vantrel", points, jobs};
};

TEST_F(FirstRunWizardJobsTest, FinishMakesTheDailyTaskShredsTheChosenPointsAndEmptiesTheBin) {
    ASSERT_FALSE(recycleBin.RecycleBinIsEmpty()) << "the bin page is offered";
    engine.ui.messageAnswers = {IDYES, IDYES};
    const int result = RunWizard([&](WizardDriver& d) {
        d.Tick(IDC_WIZARD_SCHEDULE_FREE_SPACE);
        if (!d.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
        d.Tick(IDC_WIZARD_SHRED_POINTS);
        // The second point's row is taken off the list: its folder stays.
        d.RemovePointRow(1);
        if (!d.NextTo(IDC_WIZARD_SHRED_BIN)) return;
        d.Tick(IDC_WIZARD_SHRED_BIN);
        d.Press(IDC_WIZARD_FINISH);
    });
    EXPECT_EQ(result, 1);
    // Asked in the order of the jobs: the task's notice, the bin, the points.
    ASSERT_EQ(engine.ui.confirms.size(), 1u);
    EXPECT_EQ(engine.ui.confirms[0].style, 4);
    ASSERT_EQ(engine.ui.messages.size(), 2u);
    EXPECT_EQ(engine.ui.messages[0].text.compare(0, 41, "Warning: This will shred all files and fo"), 0);
    EXPECT_EQ(engine.ui.messages[1].text,
              "Shredded Restore Points cannot be recovered! Are you sure you want proceed?");

    // The task, as the system's scheduler holds it.
    const ComPtr<ITask> task = system.Open(std::wstring(kTaskName, kTaskName + std::strlen(kTaskName)));
    ASSERT_TRUE(task.Valid()) << "no daily task in the system's scheduler";
    EXPECT_EQ(SystemTasks::Text(*task.Get(), &ITask::GetParameters),
              L"\"/s\" \"Vantrel-Shred Empty Disk Space\" \"/O0\" \"/T1\" \"/F1\" \"/R1\" \"emptydiskspace\"");
    EXPECT_EQ(SystemTasks::Text(*task.Get(), &ITask::GetApplicationName), L"T:\\no-such-program-folder\\Vantrel.exe");
    EXPECT_EQ(SystemTasks::Text(*task.Get(), &ITask::GetCreator), L"Vantrel");
    const TASK_TRIGGER trigger = SystemTasks::FirstTrigger(*task.Get());
    EXPECT_EQ(trigger.TriggerType, TASK_TIME_TRIGGER_DAILY);
    EXPECT_EQ(trigger.Type.Daily.DaysInterval, 1);

    // Only the point left on the list is gone.
    EXPECT_FALSE(Exists(Point(7)));
    EXPECT_EQ(ReadBytes(Point(8) + "\\change.log"), std::vector<uint8_t>(70000, 0x5a));

    // The bin: every item overwritten before the shell emptied it.
    EXPECT_EQ(shell.emptied, std::vector<std::string>{root});
    EXPECT_TRUE(shell.unchangedWhenEmptied.empty());
    EXPECT_FALSE(Exists(Bin() + "\\Dc1.txt"));
    EXPECT_FALSE(Exists(Bin() + "\\Dc2.doc"));
    EXPECT_TRUE(recycleBin.RecycleBinIsEmpty());
    EXPECT_EQ(ReadBytes(root + "keep.txt"), std::vector<uint8_t>(5000, 0x42));
    EXPECT_EQ(engine.settings.Read(setting::kFirstRun), "0");
}

}  // namespace
