// What a task carries, run by the real program the way the component starts
// it: the task's program path with its parameters. Names that look like a
// switch or a target word stay the task's name.
#include <gtest/gtest.h>

#include "support/FakeSchedulingRig.h"
#include "support/StagedProgram.h"

namespace {

constexpr char kSettingsKey[] = "software\\Korvex\\VantrelScheduledRunTest";

class ScheduledRunTest : public ::testing::Test, protected FakeSchedulingRig {
protected:
    ScheduledRunTest() : FakeSchedulingRig(kSettingsKey) {}

    // Runs the task made last as the component would, and answers its log.
    std::string RunLastTask() {
        const FakeTask& task = *fake->tasks.back();
        EXPECT_EQ(task.applicationName, program.path());
        EXPECT_EQ(program.Run(task.parameters, 30000), 0u) << task.parameters;
        const std::string log = program.Log();
        ::DeleteFileA((folder / "log.txt").c_str());
        return log;
    }

    StagedProgram program{folder.path()};
};

TEST_F(ScheduledRunTest, FileAndFolderTasksShredExactlyTheirTargets) {
    ASSERT_TRUE(program.valid());
    const std::string a = folder.MakeFile("a.txt", 3000);
    const std::string b = folder.MakeFile("b c.txt", 3000);
    const std::string kept = folder.MakeFile("kept.txt", 10);
    // Taken for the target word, this name would shred the Recycle Bin.
    prompt.typed = {"recycle"};
    ASSERT_EQ(tasks.ScheduleFiles({a, b}).outcome, ScheduleOutcome::Created);
    EXPECT_EQ(RunLastTask(), "Task Name: recycle\r\nSuccess\r\n\r\n");
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(b));
    EXPECT_TRUE(Exists(kept));

    const std::string tree = folder.MakeDir("tree");
    folder.MakeDir("tree\\sub");
    folder.MakeFile("tree\\sub\\deep.txt", 100);
    engine.settings.WriteInt("Folder", 2);
    engine.settings.WriteInt("Remove", 2);
    // Taken for the switch, this name would choose the algorithm.
    prompt.typed = {"/O3"};
    ASSERT_EQ(tasks.ScheduleFolders({tree}).outcome, ScheduleOutcome::Created);
    EXPECT_EQ(RunLastTask(), "Task Name: /O3\r\nSuccess\r\n\r\n");
    EXPECT_FALSE(Exists(tree));
    EXPECT_TRUE(Exists(kept));
}

}  // namespace
