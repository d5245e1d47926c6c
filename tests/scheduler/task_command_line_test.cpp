// The command lines of scheduled tasks, byte for byte, and read back by the
// run mode's own parser: nothing a name or a path holds may change what the
// run does.
#include <gtest/gtest.h>

#include "win/WideText.h"

#include "app/CommandLine.h"
#include "engine/EngineState.h"
#include "scheduler/TaskCommandLine.h"
#include "support/TestEngine.h"

namespace {

using Texts = std::vector<std::string>;

struct ReadBack {
    EngineState state;
    RecordingLog log;
    Texts targets;
    explicit ReadBack(const std::string& line) {
        CommandLine parser(state, log);
        EXPECT_TRUE(parser.ParseCommandLine(win::FromUtf8(line)));
        for (const win::FsPath& target : parser.targets()) targets.push_back(target.Utf8());
    }
};

TaskTargetList Targets(const Texts& paths) {
    TaskTargetList list;
    for (size_t i = 0; i < paths.size(); ++i) EXPECT_TRUE(list.Add(i, win::FromUtf8(paths[i]))) << paths[i];
    return list;
}

std::string Line(TaskLineKind kind, const std::string& name, TaskSwitches switches,
                 const TaskTargetList* targets = nullptr, int driveOption = 0, const std::string& root = "") {
    TaskLineValues values;
    values.name = name;
    values.switches = switches;
    values.targets = targets;
    values.driveOption = driveOption;
    values.driveRoot = root;
    const auto line = BuildTaskCommandLine(kind, values);
    EXPECT_TRUE(line.has_value()) << name;
    return win::ToUtf8(line.value_or(L""));
}

TaskSwitches Switches(int method, int folder = 0, int remove = 0, int passCount = 3) {
    TaskSwitches s;
    s.method = method, s.folder = folder, s.remove = remove, s.passCount = passCount;
    return s;
}

TEST(TaskCommandLine, EveryKindOfTaskByteForByte) {
    const TaskTargetList files = Targets({"C:\\a.txt", "D:\\b c.txt"});
    EXPECT_EQ(Line(TaskLineKind::Files, "Nightly", Switches(2), &files),
              "\"/s\" \"Nightly\" \"/O2\" \"C:\\a.txt\" \"D:\\b c.txt\"");
    const TaskTargetList folders = Targets({"C:\\Temp"});
    EXPECT_EQ(Line(TaskLineKind::Folders, "Weekly", Switches(2, 2, 0), &folders),
              "\"/s\" \"Weekly\" \"/O2\" \"/F2\" \"/R0\" \"C:\\Temp\"");
    EXPECT_EQ(DriveRootOfRow("Local Disk (C:)"), "C:\\");
    EXPECT_EQ(Line(TaskLineKind::Drive, "T", Switches(0), nullptr, 0, DriveRootOfRow("Local Disk (C:)")),
              "\"/s\" \"T\" \"/O0\" \"/D0\" \"C:\\\"");
    EXPECT_EQ(Line(TaskLineKind::RecycleBin, "Weekly", Switches(2)), "\"/s\" \"Weekly\" \"/O2\" \"recycle\"");
    EXPECT_EQ(Line(TaskLineKind::DefaultRestorePoints, "Vantrel-Shred Restore Points", Switches(0, 1, 1, 3)),
              "\"/s\" \"Vantrel-Shred Restore Points\" \"/O0\" \"/T3\" \"/F1\" \"/R1\"  \"restorepoints\"");
    EXPECT_EQ(Line(TaskLineKind::DefaultFreeSpace, "Vantrel-Shred Empty Disk Space", Switches(4, 0, 0, 7)),
              "\"/s\" \"Vantrel-Shred Empty Disk Space\" \"/O4\" \"/T7\" \"/F1\" \"/R1\" \"emptydiskspace\"");
}

TEST(TaskCommandLine, TargetListWritesABlankBeforeEveryEntryButTheFirstOfThePage) {
    TaskTargetList list;
    EXPECT_TRUE(list.Add(1, L"C:\\second"));  // the page's first entry was left out
    EXPECT_TRUE(list.Add(3, L"C:\\fourth"));
    EXPECT_EQ(list.Text(), L" \"C:\\second\" \"C:\\fourth\"");
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(Line(TaskLineKind::Files, "N", Switches(1), &list), "\"/s\" \"N\" \"/O1\"  \"C:\\second\" \"C:\\fourth\"");
    EXPECT_EQ(ReadBack(Line(TaskLineKind::Files, "N", Switches(1), &list)).targets,
              (Texts{"C:\\second", "C:\\fourth"}));

    for (const std::string& path : Texts{"C:\\a\"b", "/s", "/O4", "", "recycle", "restorepoints", "emptydiskspace",
                                   std::string("C:\\a\nb")}) {
        EXPECT_FALSE(list.Add(4, win::FromUtf8(path))) << path;
    }
    EXPECT_EQ(list.Count(), 2u);
}

TEST(TaskCommandLine, WhatTheLineCarriesComesBackExactlyFromTheRunModeParser) {
    const TaskTargetList targets = Targets({"C:\\a b\\c.txt", "T:\\100% (copy)\\x", "D:\\\\odd\\"});
    for (const std::string name : {"Nightly", "/O3", "recycle", " spaced ", "%s %d #1", "Nightly (2)", "s",
                                   "\\", "C:\\evil"}) {
        const ReadBack files(Line(TaskLineKind::Files, name, Switches(-2), &targets));
        EXPECT_TRUE(files.state.runMode);
        EXPECT_EQ(files.log.taskNames, Texts{name});
        EXPECT_EQ(files.state.runMethod, -2);
        EXPECT_EQ(files.targets, (Texts{"C:\\a b\\c.txt", "T:\\100% (copy)\\x", "D:\\\\odd\\"}));

        const ReadBack folders(Line(TaskLineKind::Folders, name, Switches(3, 2, 1), &targets));
        EXPECT_EQ(folders.log.taskNames, Texts{name});
        EXPECT_EQ(folders.state.runFolder, 2);
        EXPECT_EQ(folders.state.runRemove, 1);
        EXPECT_EQ(folders.targets.size(), 3u);

        const ReadBack drive(Line(TaskLineKind::Drive, name, Switches(1), nullptr, 1, "E:\\"));
        EXPECT_EQ(drive.log.taskNames, Texts{name});
        EXPECT_EQ(drive.state.runDrive, 1);
        EXPECT_EQ(drive.targets, Texts{"E:\\"});

        const ReadBack points(Line(TaskLineKind::DefaultRestorePoints, name, Switches(2, 0, 0, 35)));
        EXPECT_EQ(points.log.taskNames, Texts{name});
        EXPECT_EQ(points.state.runFolder, 1);
        EXPECT_EQ(points.targets, Texts{"restorepoints"});
    }
}

TEST(TaskCommandLine, HostileNamesAndPiecesAreRefusedNotWritten) {
    const TaskTargetList targets = Targets({"C:\\a.txt"});
    for (const std::string& name : Texts{"x\" \"/O4", "a\"b", "\"/s\"", "/s", "x\" \"C:\\Windows", "\"", "", "a\nb",
                                   "a\rb", std::string("tab\there")}) {
        TaskLineValues values;
        values.name = name;
        values.targets = &targets;
        values.driveRoot = "C:\\";
        for (TaskLineKind kind : {TaskLineKind::Files, TaskLineKind::Folders, TaskLineKind::Drive,
                                  TaskLineKind::RecycleBin, TaskLineKind::DefaultRestorePoints,
                                  TaskLineKind::DefaultFreeSpace}) {
            EXPECT_FALSE(BuildTaskCommandLine(kind, values).has_value()) << name;
        }
        EXPECT_FALSE(IsSafeTaskName(name)) << name;
    }
    // A list that is missing or empty would start the program's window from a task.
    TaskLineValues values;
    values.name = "N";
    EXPECT_FALSE(BuildTaskCommandLine(TaskLineKind::Files, values).has_value());
    TaskTargetList none;
    values.targets = &none;
    EXPECT_FALSE(BuildTaskCommandLine(TaskLineKind::Folders, values).has_value());
    // A drive row whose text would make a quote or a switch of the root.
    for (const std::string row : {"Odd \"label", "Disk (/s)", "Disk (\"C:)"}) {
        values.driveRoot = DriveRootOfRow(row);
        EXPECT_FALSE(BuildTaskCommandLine(TaskLineKind::Drive, values).has_value()) << row;
    }
    EXPECT_EQ(DriveRootOfRow("My (old) disk (D:)"), "D:\\");
}

TEST(TaskCommandLine, SwitchesAreTheSettingsAsStored) {
    SettingsStore settings("software\\Korvex\\VantrelTaskLineTest");
    TaskSwitches defaults = ReadTaskSwitches(settings);
    EXPECT_EQ(defaults.method, 0);
    EXPECT_EQ(defaults.folder, 0);
    EXPECT_EQ(defaults.remove, 0);
    EXPECT_EQ(defaults.passCount, 3);
    settings.WriteInt("Method", 2147483647);
    settings.WriteInt("Folder", -2147483647 - 1);
    settings.WriteInt("Remove", 2);
    settings.WriteInt("PassCount", 9);
    const TaskSwitches stored = ReadTaskSwitches(settings);
    const TaskTargetList targets = Targets({"C:\\x"});
    const ReadBack back(Line(TaskLineKind::Folders, "N", stored, &targets));
    EXPECT_EQ(back.state.runMethod, 2147483647);
    EXPECT_EQ(back.state.runFolder, -2147483647 - 1);
    EXPECT_EQ(back.state.runRemove, 2);
    EXPECT_EQ(ReadTaskSwitches(settings).passCount, 9);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "software\\Korvex\\VantrelTaskLineTest");
}

TEST(TaskCommandLine, VerifySettingWritesV1AfterTheAlgorithmAndTheParserReadsIt) {
    SettingsStore settings("software\\Korvex\\VantrelTaskVerifyTest");
    const TaskTargetList files = Targets({"C:\\a.txt"});
    EXPECT_FALSE(ReadTaskSwitches(settings).verify);
    EXPECT_EQ(ReadBack(Line(TaskLineKind::Files, "N", ReadTaskSwitches(settings), &files)).state.runVerify, 0);
    settings.WriteInt("Verify", 1);
    const TaskSwitches on = ReadTaskSwitches(settings);
    EXPECT_EQ(Line(TaskLineKind::Files, "N", on, &files), "\"/s\" \"N\" \"/O0\" \"/V1\" \"C:\\a.txt\"");
    EXPECT_EQ(Line(TaskLineKind::RecycleBin, "N", on), "\"/s\" \"N\" \"/O0\" \"/V1\" \"recycle\"");
    const ReadBack back(Line(TaskLineKind::Folders, "N", on, &files));
    EXPECT_EQ(back.state.runVerify, 1);
    EXPECT_EQ(back.targets, Texts{"C:\\a.txt"});
    EXPECT_EQ(ReadBack("\"/s\" \"N\" \"/V0\" \"C:\\a.txt\"").state.runVerify, 0);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "software\\Korvex\\VantrelTaskVerifyTest");
}

}  // namespace
