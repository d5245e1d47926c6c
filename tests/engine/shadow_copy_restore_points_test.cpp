// Restore points as shadow copies (Vista and later): removed through the
// system (a recording double here: Wine keeps no points), forgotten, and
// followed by free-space shredding of every fixed drive, or told plainly
// when they stay. The free space itself is shredded for real in
// FreeSpaceTest.RemovedRestorePointsHaveTheirDrivesFreeSpaceShredded.
#include <gtest/gtest.h>

#include <windows.h>

#include "engine/ShadowCopyRestorePoints.h"
#include "engine/SrClientRestorePointRemover.h"
#include "support/RecordingRestorePointRemoval.h"
#include "support/TestEngine.h"

namespace {

using Numbers = std::vector<int16_t>;
using Texts = std::vector<std::string>;

class ShadowCopyRestorePointsTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.machine.isVistaOrLater = true;
        engine.machine.driveRoots.fill("");
        engine.machine.driveRoots['M' - 'A'] = "M:\\";
        engine.machine.driveRoots['P' - 'A'] = "P:\\";
        // 40000 is kept in 16 bits as -25536.
        for (const int16_t number : {3, 4, 5, -25536}) points.push_back({"point", "time", number, 0});
    }
    Numbers Left() const {
        Numbers numbers;
        for (const RestorePointRecord& point : points) numbers.push_back(point.sequenceNumber);
        return numbers;
    }
    Texts Shown() const {
        Texts texts;
        for (const ShownMessage& message : engine.ui.messages) texts.push_back(message.text);
        return texts;
    }

    TestEngine engine;
    std::vector<RestorePointRecord> points;
    RecordingRemover remover;
    RecordingFreeSpace freeSpace;
    ShadowCopyRestorePoints road{engine.context, remover, freeSpace, points};
    const std::string freed = "Windows frees the space of a removed restore point without overwriting it. The free "
                              "space of every drive that may have held restore points is shredded now: M:, P:";
};

TEST_F(ShadowCopyRestorePointsTest, ChosenOrEveryPointIsRemovedForgottenAndItsDrivesFreeSpaceShredded) {
    EXPECT_EQ(road.RemoveRestorePoints({4, -25536}), (Numbers{4, -25536}));
    EXPECT_EQ(remover.asked, (std::vector<uint32_t>{4, 40000})) << "the system's own, unsigned numbers";
    EXPECT_EQ(Left(), (Numbers{3, 5}));
    EXPECT_TRUE(engine.ui.confirms.empty()) << "the page asked already";
    EXPECT_EQ(Shown(), Texts{freed});
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(freeSpace.roots, (Texts{"M:\\", "P:\\"}));

    // Every point: asked first; answered No, nothing happens.
    engine.ui.confirmAnswers = {ConfirmNo, ConfirmYes};
    EXPECT_EQ(road.RemoveAllRestorePoints(), Numbers{});
    EXPECT_EQ(remover.asked.size(), 2u);
    EXPECT_EQ(road.RemoveAllRestorePoints(), (Numbers{3, 5}));
    ASSERT_EQ(engine.ui.confirms.size(), 2u);
    EXPECT_EQ(engine.ui.confirms[1].text, engine.texts.Text(12001));
    EXPECT_EQ(engine.ui.confirms[1].caption, "WARNING!");
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(freeSpace.roots.size(), 4u);
    EXPECT_EQ(engine.state.itemsNotDone, 0u);

    // A silent run asks nothing and only notes what it did: it may end in "Success".
    engine.state.runMode = true;
    points = {{"point", "time", 8, 0}};
    EXPECT_EQ(road.RemoveAllRestorePoints(), Numbers{8});
    EXPECT_EQ(engine.log.notes, (Texts{engine.texts.Text(15284), freed}));
    EXPECT_TRUE(engine.log.records.empty());
    EXPECT_EQ(engine.ui.confirms.size(), 2u);
    EXPECT_EQ(engine.state.itemsNotDone, 0u);
}

TEST_F(ShadowCopyRestorePointsTest, APointTheSystemKeepsOrAMissingLibraryIsToldAndNotDone) {
    remover.refusals[4] = ERROR_INVALID_DATA;
    EXPECT_EQ(road.RemoveRestorePoints({3, 4}), Numbers{3});
    EXPECT_EQ(Shown(), (Texts{"Restore point 4 was not removed.\nSystem error code: 13", freed}));
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(Left(), (Numbers{4, 5, -25536})) << "the point kept stays listed";
    EXPECT_EQ(engine.state.itemsNotDone, 1u);
    EXPECT_EQ(freeSpace.roots.size(), 2u) << "point 3 freed its blocks";

    // Nothing removed: nothing freed, so no free-space job.
    engine.ui.messages.clear();
    EXPECT_EQ(road.RemoveRestorePoints({4}), Numbers{});
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(freeSpace.roots.size(), 2u);

    // A cancelled drive stops the drives after it.
    freeSpace.answer = 1;
    EXPECT_EQ(road.RemoveRestorePoints({5}), Numbers{5});
    EXPECT_EQ(freeSpace.roots, (Texts{"M:\\", "P:\\", "M:\\"}));

    // Without the library nothing is asked of it or of the user, and nothing claims success.
    remover.available = false;
    remover.asked.clear();
    engine.ui.messages.clear();
    engine.state.itemsNotDone = 0;
    EXPECT_EQ(road.RemoveAllRestorePoints(), Numbers{});
    EXPECT_TRUE(engine.ui.confirms.empty());
    EXPECT_EQ(Shown(), Texts{engine.texts.Text(15280)});
    EXPECT_NE(Shown()[0].find("were not removed"), std::string::npos);
    EXPECT_EQ(engine.ui.messages[0].flags, static_cast<unsigned>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(remover.asked.empty());
    EXPECT_EQ(Left(), (Numbers{4, -25536}));
    EXPECT_EQ(engine.state.itemsNotDone, 1u);
    EXPECT_EQ(freeSpace.roots.size(), 3u);
    // A silent run logs it as a failure, so its log ends without "Success".
    engine.state.runMode = true;
    EXPECT_EQ(road.RemoveAllRestorePoints(), Numbers{});
    EXPECT_EQ(engine.log.records, Texts{engine.texts.Text(15280)});
    EXPECT_TRUE(engine.log.notes.empty()) << "no note of a removal that never happened";
    EXPECT_EQ(engine.state.itemsNotDone, 2u);
    EXPECT_EQ(road.RemoveRestorePoints({4}), Numbers{});
    EXPECT_EQ(engine.log.records.size(), 2u);
}

// The system's library is looked up, never called: a test must not remove a
// real machine's point. Wine has the library with the function.
TEST(SrClientRestorePointRemoverTest, FindsTheFunctionInTheSystemLibraryOnly) {
    char system[MAX_PATH];
    ASSERT_NE(::GetSystemDirectoryA(system, MAX_PATH), 0u);
    HMODULE library = ::LoadLibraryA((std::string(system) + "\\srclient.dll").c_str());
    const bool present = library != nullptr && ::GetProcAddress(library, "SRRemoveRestorePoint") != nullptr;
    SrClientRestorePointRemover remover;
    EXPECT_EQ(remover.Available(), present);
    EXPECT_EQ(remover.Available(), present) << "asked again";
    if (library != nullptr) ::FreeLibrary(library);
}

}  // namespace
