#include <gtest/gtest.h>

#include "win/WideText.h"

#include <climits>

#include "app/CommandLine.h"
#include "engine/EngineState.h"
#include "support/TestEngine.h"

namespace {

struct Parsed {
    EngineState state;
    RecordingLog log;
    CommandLine line{state, log};
    explicit Parsed(const std::string& text) { EXPECT_TRUE(line.ParseCommandLine(win::FromUtf8(text))); }
    std::vector<std::string> targets() const {
        std::vector<std::string> texts;
        for (const win::FsPath& target : line.targets()) texts.push_back(target.Utf8());
        return texts;
    }
};

using Targets = std::vector<std::string>;

TEST(CommandLine, ScheduledFolderTaskSetsEveryValue) {
    Parsed p("\"/s\" \"Weekly\" \"/O2\" \"/F2\" \"/R0\" \"C:\\Temp\"");
    EXPECT_TRUE(p.state.runMode);
    EXPECT_EQ(p.log.taskNames, Targets{"Weekly"});
    EXPECT_EQ(p.state.runMethod, 2);
    EXPECT_EQ(p.state.runFolder, 2);
    EXPECT_EQ(p.state.runRemove, 0);
    EXPECT_EQ(p.state.runDrive, -1);
    EXPECT_EQ(p.targets(), Targets{"C:\\Temp"});
}

TEST(CommandLine, QuotedArgumentsKeepTheirSpacesAndUnquotedWordsAreIgnored) {
    Parsed p("/s \"C:\\Old reports\" junk \"C:\\a b.txt\"");
    EXPECT_FALSE(p.state.runMode) << "/s outside quotes does not count";
    EXPECT_EQ(p.targets(), (Targets{"C:\\Old reports", "C:\\a b.txt"}));

    Parsed empty("\"\" \"x\"");
    EXPECT_EQ(empty.targets(), (Targets{"", "x"})) << "an empty quoted argument is a target";

    Parsed unpaired("\"a\" \"b");
    EXPECT_EQ(unpaired.targets(), Targets{"a"}) << "an opening quote without its partner is dropped";
}

TEST(CommandLine, UnquotedArgumentsAreRunsBetweenSpaces) {
    Parsed p("  /s   Nightly  C:\\a.txt   ");
    EXPECT_TRUE(p.state.runMode);
    EXPECT_EQ(p.log.taskNames, Targets{"Nightly"});
    EXPECT_EQ(p.targets(), Targets{"C:\\a.txt"});
    EXPECT_TRUE(Parsed("").targets().empty());
}

TEST(CommandLine, TheArgumentAfterSlashSIsTheTaskNameWhateverItLooksLike) {
    Parsed p("\"/s\" \"/O3\" \"x\"");
    EXPECT_EQ(p.log.taskNames, Targets{"/O3"});
    EXPECT_EQ(p.state.runMethod, 0);
    Parsed last("\"a\" \"/s\"");
    EXPECT_TRUE(last.state.runMode);
    EXPECT_TRUE(last.log.taskNames.empty());
}

TEST(CommandLine, SwitchesAreCaseSensitiveAndNeverTargets) {
    Parsed p("\"/o3\" \"/T1\" \"/\" \"/D1\" \"/O\" \"/F-1\" \"/R 7x\"");
    EXPECT_TRUE(p.targets().empty());
    EXPECT_EQ(p.state.runMethod, 0);
    EXPECT_EQ(p.state.runDrive, 1);
    EXPECT_EQ(p.state.runFolder, -1);
    EXPECT_EQ(p.state.runRemove, 7);
}

TEST(CommandLine, HugeSwitchValuesAreHeldTo32Bits) {
    EXPECT_EQ(ParseSwitchValue(L"99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseSwitchValue(L"-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseSwitchValue(L"-2147483648"), INT_MIN);
    EXPECT_EQ(ParseSwitchValue(L"+12abc"), 12);
    EXPECT_EQ(ParseSwitchValue(L"abc"), 0);
}

TEST(CommandLine, LongInputIsTakenWhole) {
    const std::string longPath(5000, 'a');
    Parsed p("\"" + longPath + "\"");
    EXPECT_EQ(p.targets(), Targets{longPath});
}

// The whole wide command line as the system holds it: the program's name
// goes, quoted or bare, and a line that begins with "/s" is all arguments
// (a scheduler that leaves the name off). Names of any script stay whole.
TEST(CommandLine, TheArgumentsFollowTheProgramNameOrAreTheWholeLine) {
    EXPECT_EQ(ArgumentsOf(L"\"C:\\Program Files\\Vantrel\\Vantrel.exe\" \"/s\" \"N\""), L"\"/s\" \"N\"");
    EXPECT_EQ(ArgumentsOf(L"  C:\\Vantrel\\Vantrel.exe   \"T:\\\u0441\u0435\u043a\u0440\u0435\u0442.txt\""),
              L"\"T:\\\u0441\u0435\u043a\u0440\u0435\u0442.txt\"");
    EXPECT_EQ(ArgumentsOf(L"\"/s\" \"Nightly\" \"recycle\""), L"\"/s\" \"Nightly\" \"recycle\"");
    EXPECT_EQ(ArgumentsOf(L"Vantrel.exe"), L"");
    EXPECT_EQ(ArgumentsOf(L"\"C:\\no closing quote"), L"");
    EXPECT_EQ(ArgumentsOf(L""), L"");
    Parsed p(win::ToUtf8(ArgumentsOf(L"V.exe \"/s\" \"\U0001F512\" \"T:\\\u6771\u4eac \U0001F600.txt\"")));
    EXPECT_EQ(p.targets(), Targets{"T:\\\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80.txt"});
    EXPECT_EQ(p.log.taskNames, std::vector<std::string>{"\xF0\x9F\x94\x92"});
}

}  // namespace
