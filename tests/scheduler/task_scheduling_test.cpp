// The Schedule steps of the pages and the default tasks, against an
// in-process stand-in of the scheduling component, with real files and
// folders on the test drive and scripted answers.
#include <gtest/gtest.h>

#include <cmath>

#include "support/FakeSchedulingRig.h"
#include "scheduler/AutomationText.h"

namespace {

using Texts = std::vector<std::string>;
constexpr char kSettingsKey[] = "software\\Korvex\\VantrelSchedulingTest";

class TaskSchedulingTest : public ::testing::Test, protected FakeSchedulingRig {
protected:
    TaskSchedulingTest() : FakeSchedulingRig(kSettingsKey) {}

    std::string Message(size_t i) const {
        return i < engine.ui.messages.size() ? engine.ui.messages[i].text : "(no message " + std::to_string(i) + ")";
    }
    void WritePack(const std::string& language, const std::string& lines) {
        ::CreateDirectoryA((folder / "Lang").c_str(), nullptr);
        const std::string pack = "[Korvex Language Pack]\r\n" + lines;
        WriteBytes(folder / ("Lang\\" + language + ".ini"), std::vector<uint8_t>(pack.begin(), pack.end()));
    }

};

TEST_F(TaskSchedulingTest, FilesBecomeOneCommittedTaskWithItsFixedProperties) {
    const std::string a = folder.MakeFile("a.txt", 10);
    const std::string b = folder.MakeFile("b c.txt", 10);
    engine.settings.WriteInt("Method", 2);
    prompt.typed = {"Nightly"};
    const ScheduleResult result = tasks.ScheduleFiles({a, b});
    EXPECT_EQ(result.outcome, ScheduleOutcome::Created);
    EXPECT_TRUE(result.emptyPageList);
    EXPECT_EQ(result.taskName, "Nightly");
    ASSERT_EQ(fake->Count(), 1u);
    const FakeTask& task = *fake->tasks[0];
    EXPECT_EQ(task.name, "Nightly");
    EXPECT_EQ(task.creator, "Vantrel");
    EXPECT_EQ(task.applicationName, folder.path() + "\\Vantrel.exe");
    EXPECT_EQ(task.parameters, "\"/s\" \"Nightly\" \"/O2\" \"" + a + "\" \"" + b + "\"");
    EXPECT_TRUE(task.committed);
    EXPECT_EQ(task.commitArgument, "");
    EXPECT_EQ(task.propertyWindows, 1);
    EXPECT_EQ(current.Dispatch(), fake->tasks[0]) << "currentTask stays on the new task";
    EXPECT_TRUE(engine.ui.messages.empty());
}

TEST_F(TaskSchedulingTest, FilePreChecksLeaveOutGiveUpOrLetThroughAsAnswered) {
    EXPECT_EQ(tasks.ScheduleFiles({}).outcome, ScheduleOutcome::NothingToSchedule);
    EXPECT_EQ(Message(0), engine.texts.Text(9019));
    EXPECT_EQ(engine.ui.messages[0].flags, unsigned(MB_OK | MB_ICONERROR));

    const std::string hidden = folder.MakeFile("hidden.txt", 1, FILE_ATTRIBUTE_HIDDEN);
    const std::string plain = folder.MakeFile("plain.txt", 1);
    const std::string system = folder.MakeFile("system.txt", 1, FILE_ATTRIBUTE_SYSTEM);
    const std::string readOnly = folder.MakeFile("ro.txt", 1, FILE_ATTRIBUTE_READONLY);

    // Cancel at the attribute question gives the whole task up; the list stays.
    engine.ui.confirmAnswers = {ConfirmCancel};
    const ScheduleResult givenUp = tasks.ScheduleFiles({hidden, plain});
    EXPECT_EQ(givenUp.outcome, ScheduleOutcome::GivenUp);
    EXPECT_FALSE(givenUp.emptyPageList);
    EXPECT_EQ(prompt.shown, 0);

    // NO leaves the first out (the list then begins with a blank), Yes To All
    // lets the later ones through unasked, a missing file is left out with 9034.
    engine.state.answers.taskFileYesToAll = true;  // cleared by the button first
    engine.ui.confirmAnswers = {ConfirmNo, ConfirmYesToAll};
    prompt.typed = {"Mixed"};
    const std::string missing = folder / "missing.txt";
    const ScheduleResult made = tasks.ScheduleFiles({hidden, missing, system, plain, readOnly});
    EXPECT_EQ(made.outcome, ScheduleOutcome::Created);
    EXPECT_EQ(engine.ui.confirms.size(), 3u) << "one for the first run, two for this one";
    ASSERT_EQ(fake->Count(), 1u);
    EXPECT_EQ(fake->tasks[0]->parameters,
              "\"/s\" \"Mixed\" \"/O0\"  \"" + system + "\" \"" + plain + "\" \"" + readOnly + "\"");
    EXPECT_EQ(Message(1), "Error: Unable to access\n" + missing);

    // Everything left out: nothing to name, nothing made.
    engine.ui.confirmAnswers = {ConfirmNo};
    EXPECT_EQ(tasks.ScheduleFiles({hidden}).outcome, ScheduleOutcome::NothingToSchedule);
    EXPECT_EQ(prompt.shown, 1);
}

TEST_F(TaskSchedulingTest, FolderPreScanAnswersReachTheSwitchesAndCancelKeepsTheList) {
    EXPECT_EQ(tasks.ScheduleFolders({}).outcome, ScheduleOutcome::NothingToSchedule);
    EXPECT_EQ(Message(0), engine.texts.Text(9030));

    const std::string top = folder.MakeDir("top");
    folder.MakeDir("top\\sub");
    folder.MakeFile("top\\sub\\f.txt", 1);
    engine.settings.WriteInt("Folder", 1);
    engine.settings.WriteInt("Remove", 1);
    engine.state.answers.taskFolderYesToAll = true;  // cleared by the button first
    engine.ui.confirmAnswers = {ConfirmYes, ConfirmNo};
    prompt.typed = {"Weekly"};
    const ScheduleResult made = tasks.ScheduleFolders({top});
    EXPECT_EQ(made.outcome, ScheduleOutcome::Created);
    EXPECT_TRUE(made.emptyPageList);
    ASSERT_EQ(fake->Count(), 1u);
    EXPECT_EQ(fake->tasks[0]->parameters, "\"/s\" \"Weekly\" \"/O0\" \"/F2\" \"/R0\" \"" + top + "\"");

    const std::string marked = folder.MakeDir("marked", FILE_ATTRIBUTE_SYSTEM);
    engine.ui.confirmAnswers = {ConfirmCancel};
    const ScheduleResult givenUp = tasks.ScheduleFolders({marked, top});
    EXPECT_EQ(givenUp.outcome, ScheduleOutcome::GivenUp);
    EXPECT_FALSE(givenUp.emptyPageList) << "nothing was scheduled: the list stays";
    EXPECT_EQ(fake->Count(), 1u);
}

TEST_F(TaskSchedulingTest, DriveRecycleBinAndRestorePointButtons) {
    EXPECT_EQ(tasks.ScheduleDrive("", 0).outcome, ScheduleOutcome::NothingToSchedule);
    EXPECT_EQ(Message(0), engine.texts.Text(9075));
    EXPECT_EQ(engine.ui.messages[0].flags, unsigned(MB_OK | MB_ICONWARNING));

    prompt.typed = {"T"};
    const ScheduleResult drive = tasks.ScheduleDrive("Local Disk (C:)", 0);
    EXPECT_EQ(drive.outcome, ScheduleOutcome::Created);
    EXPECT_FALSE(drive.emptyPageList);
    engine.settings.WriteInt("Method", 2);
    prompt.typed = {"Weekly"};
    EXPECT_EQ(tasks.ScheduleRecycleBin().outcome, ScheduleOutcome::Created);
    ASSERT_EQ(fake->Count(), 2u);
    EXPECT_EQ(fake->tasks[0]->parameters, "\"/s\" \"T\" \"/O0\" \"/D0\" \"C:\\\"");
    EXPECT_EQ(fake->tasks[1]->parameters, "\"/s\" \"Weekly\" \"/O2\" \"recycle\"");

    EXPECT_EQ(tasks.ScheduleRestorePoints({}, 0, 3).outcome, ScheduleOutcome::NothingToSchedule);
    EXPECT_EQ(Message(1), engine.texts.Text(9092));
    const std::string rp1 = folder.MakeDir("RP1");
    const std::string rp2 = folder.MakeDir("RP2");
    prompt.typed = {"Some points"};
    // Left by an earlier job or an end-of-session query: never reaches a Schedule.
    engine.state.answers.taskFolderYesToAll = true;
    engine.state.cancelRequested = true;
    const ScheduleResult some = tasks.ScheduleRestorePoints({rp1, rp2}, 1, 3);
    EXPECT_FALSE(engine.state.answers.taskFolderYesToAll);
    EXPECT_FALSE(engine.state.cancelRequested);
    EXPECT_EQ(some.outcome, ScheduleOutcome::Created);
    EXPECT_FALSE(some.emptyPageList);
    EXPECT_EQ(fake->tasks[2]->parameters,
              "\"/s\" \"Some points\" \"/O2\" \"/F0\" \"/R0\" \"" + rp1 + "\" \"" + rp2 + "\"");
    // Every point shown: the default task, without a name to ask.
    EXPECT_EQ(tasks.ScheduleRestorePoints({rp1}, 3, 3).outcome, ScheduleOutcome::Created);
    EXPECT_EQ(prompt.shown, 3);
    ASSERT_EQ(fake->Count(), 4u);
    EXPECT_EQ(fake->tasks[3]->name, "Vantrel-Shred Restore Points");
    EXPECT_EQ(tasks.ScheduleRestorePoints({rp1}, 3, 3).outcome, ScheduleOutcome::AlreadyExists);
    EXPECT_EQ(engine.ui.messages.size(), 2u);
    // Shadow copies have no folders: every point shown is the default task, some are nothing.
    engine.machine.isVistaOrLater = true;
    EXPECT_EQ(tasks.ScheduleRestorePoints({}, 3, 3).outcome, ScheduleOutcome::AlreadyExists);
    EXPECT_EQ(tasks.ScheduleRestorePoints({}, 2, 3).outcome, ScheduleOutcome::NothingToSchedule);
    EXPECT_EQ(Message(engine.ui.messages.size() - 1), engine.texts.Text(9092));
    EXPECT_EQ(fake->Count(), 4u);
}

TEST_F(TaskSchedulingTest, NamesAreUniqueExactlyAndHostileNamesAreRefused) {
    fake->AddExisting("Nightly");
    prompt.typed = {"", "Nightly", "x\" \"/O4", "a\"b", "/s", "\"/s\"", "nightly"};
    EXPECT_EQ(tasks.CreateTask(), "nightly");
    EXPECT_EQ(prompt.refusals, (Texts{"(empty)", engine.texts.Text(9016), engine.texts.Text(15050),
                                      engine.texts.Text(15050), engine.texts.Text(15050), engine.texts.Text(15050)}));
    EXPECT_EQ(fake->Count(), 2u);
    EXPECT_GE(fake->refreshes, 1);

    // Cancel makes nothing and leaves the page's list alone.
    const std::string a = folder.MakeFile("a.txt", 1);
    const ScheduleResult cancelled = tasks.ScheduleFiles({a});
    EXPECT_EQ(cancelled.outcome, ScheduleOutcome::Cancelled);
    EXPECT_FALSE(cancelled.emptyPageList);
    EXPECT_EQ(fake->Count(), 2u);
    EXPECT_EQ(fake->adds, 1);
}

TEST_F(TaskSchedulingTest, DefaultTasksAreMadeOnceADayFromNowUnderTheCurrentLanguage) {
    engine.settings.WriteInt("Method", 1);
    const DATE before = AutomationDateNow();
    EXPECT_EQ(tasks.CreateDefaultRestorePointsTask(), 1);
    EXPECT_EQ(tasks.CreateDefaultRestorePointsTask(), 1);
    const DATE after = AutomationDateNow();
    ASSERT_EQ(fake->Count(), 1u);
    EXPECT_EQ(fake->adds, 1);
    const FakeTask& points = *fake->tasks[0];
    EXPECT_EQ(points.name, "Vantrel-Shred Restore Points");
    EXPECT_EQ(points.creator, "Vantrel");
    EXPECT_EQ(points.parameters,
              "\"/s\" \"Vantrel-Shred Restore Points\" \"/O1\" \"/T3\" \"/F1\" \"/R1\"  \"restorepoints\"");
    EXPECT_TRUE(points.committed);
    EXPECT_EQ(points.propertyWindows, 0);
    ASSERT_EQ(points.triggerList->triggers.size(), 1u);
    const FakeTrigger& daily = *points.triggerList->triggers[0];
    EXPECT_EQ(daily.type, 1);
    EXPECT_EQ(daily.startDate, daily.startTime);
    EXPECT_GE(daily.startDate, before);
    EXPECT_LE(daily.startDate, after);
    const double seconds = daily.startDate * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3) << "whole seconds";
    EXPECT_TRUE(engine.ui.messages.empty());
    EXPECT_TRUE(engine.ui.confirms.empty());

    engine.settings.WriteInt("PassCount", 7);
    EXPECT_EQ(tasks.CreateDefaultFreeSpaceTask(), 1);
    EXPECT_EQ(tasks.CreateDefaultFreeSpaceTask(), 1);
    ASSERT_EQ(fake->Count(), 2u);
    EXPECT_EQ(fake->tasks[1]->parameters,
              "\"/s\" \"Vantrel-Shred Empty Disk Space\" \"/O1\" \"/T7\" \"/F1\" \"/R1\" \"emptydiskspace\"");
    ASSERT_EQ(engine.ui.confirms.size(), 1u) << "asked only when the task is made";
    EXPECT_EQ(engine.ui.confirms[0].text, engine.texts.Text(12008));
    EXPECT_EQ(engine.ui.confirms[0].style, 4);
    EXPECT_EQ(engine.ui.confirms[0].caption, "Vantrel");

    // Another language: the translated name is not found, so a second task is made.
    WritePack("Pirate", "12005=Scuttle the Restore Points\r\n");
    engine.texts.SetCurrentLanguage("Pirate");
    tasks.CreateDefaultRestorePointsTask();
    ASSERT_EQ(fake->Count(), 3u);
    EXPECT_EQ(fake->tasks[2]->name, "Scuttle the Restore Points");
    EXPECT_EQ(fake->tasks[2]->parameters,
              "\"/s\" \"Scuttle the Restore Points\" \"/O1\" \"/T7\" \"/F1\" \"/R1\"  \"restorepoints\"");

    // A translation that would break the line makes nothing and says why.
    WritePack("Hostile", "12002=x\" \"/O4\r\n");
    engine.texts.SetCurrentLanguage("Hostile");
    tasks.CreateDefaultFreeSpaceTask();
    EXPECT_EQ(fake->Count(), 3u);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_EQ(Message(0),
              "The default task cannot be created, because its name in the current language is not a valid task "
              "name:\nx\" \"/O4");
}

TEST_F(TaskSchedulingTest, AFailingStepRemovesTheHalfMadeTaskAndSaysWhatTheComponentAnswered) {
    const std::string a = folder.MakeFile("a.txt", 1);
    struct Case {
        DISPID id;
        WORD flags;
    };
    // Creator, ApplicationName, Parameters, Commit, the property window.
    for (const Case c : {Case{0x6803000F, DISPATCH_PROPERTYPUT}, Case{0x68030012, DISPATCH_PROPERTYPUT},
                         Case{0x68030011, DISPATCH_PROPERTYPUT}, Case{0x60030016, DISPATCH_METHOD},
                         Case{0x60030017, DISPATCH_METHOD}}) {
        fake->taskFailures = {{{c.id, c.flags}, E_ACCESSDENIED}};
        engine.ui.messages.clear();
        prompt.typed = {"Half"};
        const ScheduleResult result = tasks.ScheduleFiles({a});
        EXPECT_EQ(result.outcome, ScheduleOutcome::Failed) << std::hex << c.id;
        EXPECT_FALSE(result.emptyPageList);
        EXPECT_EQ(fake->Count(), 0u) << std::hex << c.id;
        ASSERT_EQ(engine.ui.messages.size(), 1u);
        EXPECT_EQ(Message(0).rfind("The task \"Half\" could not be created, and nothing of it was kept.\n"
                                   "The scheduler answered: 0x80070005",
                                   0),
                  0u)
            << Message(0);
        EXPECT_EQ(engine.ui.messages[0].flags, unsigned(MB_OK | MB_ICONERROR));
        EXPECT_FALSE(current.IsBound());
    }
    EXPECT_EQ(fake->removes, 5);

    // The default task's trigger.
    fake->taskFailures = {};
    engine.ui.messages.clear();
    FakeTaskScheduler& collection = *fake;
    collection.taskFailures = {{{0x68030000, DISPATCH_PROPERTYGET}, E_FAIL}};
    tasks.CreateDefaultRestorePointsTask();
    EXPECT_EQ(fake->Count(), 0u);
    EXPECT_EQ(engine.ui.messages.size(), 1u);

    // Add taken, but no task handed back: the task it made is removed all the same.
    fake->handOutAddedTask = false;
    engine.ui.messages.clear();
    prompt.typed = {"Faceless"};
    EXPECT_EQ(tasks.CreateTask(), "");
    EXPECT_EQ(fake->Count(), 0u);
    EXPECT_NE(Message(0).find("0x80020005"), std::string::npos) << Message(0);
    fake->handOutAddedTask = true;

    // Add itself refused: nothing to remove, and nothing else removed.
    fake->taskFailures = {};
    fake->AddExisting("Other task");
    fake->Fail(0x60030002, DISPATCH_METHOD, E_INVALIDARG);
    engine.ui.messages.clear();
    prompt.typed = {"Refused"};
    EXPECT_EQ(tasks.CreateTask(), "");
    EXPECT_EQ(fake->Count(), 1u);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_NE(Message(0).find("\"Refused\" could not be created"), std::string::npos);
    EXPECT_NE(Message(0).find("0x80070057"), std::string::npos);
}

TEST_F(TaskSchedulingTest, ATaskThatCannotBeRemovedEitherIsNamedToThePerson) {
    const std::string a = folder.MakeFile("a.txt", 1);
    fake->taskFailures = {{{0x60030016, DISPATCH_METHOD}, E_FAIL}};
    fake->Fail(0x60030004, DISPATCH_METHOD, E_ACCESSDENIED);
    prompt.typed = {"Stuck"};
    EXPECT_EQ(tasks.ScheduleFiles({a}).outcome, ScheduleOutcome::Failed);
    ASSERT_EQ(engine.ui.messages.size(), 1u);
    EXPECT_NE(Message(0).find("\"Stuck\" could not be completed, and it could not be removed either"),
              std::string::npos);
    EXPECT_NE(Message(0).find("0x80004005"), std::string::npos);
}

TEST_F(TaskSchedulingTest, WithoutABoundComponentEveryEntryPointSaysSoAndDoesNothing) {
    const std::string a = folder.MakeFile("a.txt", 1);
    const std::string sub = folder.MakeDir("sub");
    auto everyEntryPoint = [&] {
        engine.ui.messages.clear();
        prompt.typed = {"Never asked"};
        EXPECT_EQ(tasks.ScheduleFiles({a}).outcome, ScheduleOutcome::Unavailable);
        EXPECT_EQ(tasks.ScheduleFolders({sub}).outcome, ScheduleOutcome::Unavailable);
        EXPECT_EQ(tasks.ScheduleDrive("Local Disk (C:)", 0).outcome, ScheduleOutcome::Unavailable);
        EXPECT_EQ(tasks.ScheduleRecycleBin().outcome, ScheduleOutcome::Unavailable);
        EXPECT_EQ(tasks.ScheduleRestorePoints({sub}, 1, 1).outcome, ScheduleOutcome::Unavailable);
        EXPECT_EQ(tasks.CreateTask(), "");
        EXPECT_EQ(tasks.CreateDefaultRestorePointsTask(), 1);
        EXPECT_EQ(tasks.CreateDefaultFreeSpaceTask(), 1);
        EXPECT_EQ(engine.ui.messages.size(), 8u);
        for (const ShownMessage& shown : engine.ui.messages) EXPECT_EQ(shown.text, engine.texts.Text(9060));
        EXPECT_EQ(prompt.shown, 0);
        EXPECT_TRUE(engine.ui.confirms.empty());
    };
    engine.machine.schedulerUnavailable = true;
    everyEntryPoint();
    engine.machine.schedulerUnavailable = false;
    scheduler.ReleaseDispatch();  // created, but bound to nothing
    everyEntryPoint();
    tasks.SetComponent(nullptr, nullptr);  // never created
    everyEntryPoint();
    EXPECT_EQ(fake->refreshes + fake->adds, 0);
}

}  // namespace
