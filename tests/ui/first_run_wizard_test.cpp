// The first-run wizard as a real window, driven from another thread by
// posted messages: its buttons on each page, what Finish and Cancel run,
// and when it writes FirstRun.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/EngineState.h"
#include "engine/SettingsStore.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFolder.h"
#include "support/WizardDriver.h"
#include "ui/FirstRunWizard.h"
#include "win/NoSkinEngine.h"

namespace {

class RecordingJobs final : public FirstRunJobs {
public:
    bool binEmpty = true;
    bool RecycleBinIsEmpty() override { return binEmpty; }
    void ShredRecycleBin() override { calls.push_back("bin"); }
    bool schedulerAvailable = true;
    bool SchedulerAvailable() override { return schedulerAvailable; }
    void CreateDefaultFreeSpaceTask() override { calls.push_back("task"); }
    bool ShredRestorePoints() override {
        calls.push_back("points");
        return true;
    }
    void ShredRestorePointFolders(const std::vector<std::string>& folders) override {
        calls.push_back("folders");
        shreddedFolders = folders;
    }
    void FindRestorePointFolders(int16_t sequence, std::vector<std::string>& folders) override {
        if (!shadowCopies) folders.push_back("C:\\System Volume Information\\_restore\\RP" + std::to_string(sequence));
    }
    void RemoveRestorePoints(const std::vector<int16_t>& numbers) override {
        calls.push_back("remove");
        removedPoints = numbers;
    }
    bool shadowCopies = false;
    bool RestorePointsAreShadowCopies() override { return shadowCopies; }
    void CloseProgressDialog() override {}
    std::vector<std::string> calls;
    std::vector<std::string> shreddedFolders;
    std::vector<int16_t> removedPoints;
};

struct VisiblePicture {
    HWND found = nullptr;
};

BOOL CALLBACK FindVisiblePicture(HWND child, LPARAM data) {
    if (::GetDlgCtrlID(child) != IDC_WIZARD_PICTURE || !::IsWindowVisible(child)) return TRUE;
    reinterpret_cast<VisiblePicture*>(data)->found = child;
    return FALSE;
}

// The shown page's picture holds the bitmap, fills the page's height and
// ends left of the page's check box.
bool PictureBesides(HWND wizard, int checkBox) {
    VisiblePicture picture;
    ::EnumChildWindows(wizard, &FindVisiblePicture, reinterpret_cast<LPARAM>(&picture));
    if (picture.found == nullptr) return false;
    if (::SendMessageA(picture.found, STM_GETIMAGE, IMAGE_BITMAP, 0) == 0) return false;
    RECT image{}, box{}, page{};
    ::GetWindowRect(picture.found, &image);
    ::GetWindowRect(WizardControl(wizard, checkBox), &box);
    ::GetWindowRect(::GetParent(picture.found), &page);
    return image.right <= box.left && image.top == page.top && image.bottom == page.bottom;
}

class FirstRunWizardTest : public ::testing::Test {
protected:
    void SetUp() override { settings.Write(setting::kFirstRun, "1"); }
    void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, "software\\Korvex\\VantrelWizardTest"); }

    int Run(const std::function<void(WizardDriver&)>& steps) { return RunDrivenWizard(parts, steps); }
    std::string FirstRun() const { return settings.Read(setting::kFirstRun); }

    LanguagePack texts{"T:\\no-such-folder", "English"};
    NoSkinEngine skin;
    EngineState state;
    ScriptedInteraction ui{state};
    SettingsStore settings{"software\\Korvex\\VantrelWizardTest"};
    std::vector<RestorePointRecord> points;
    RecordingJobs jobs;
    FirstRunParts parts{texts, skin, ui, settings, "Vantrel", points, jobs};
};

TEST_F(FirstRunWizardTest, ThreePagesShowTheirButtonsAndCancelRunsNothing) {
    jobs.binEmpty = false;
    std::vector<WizardButtons> seen;
    std::vector<bool> pictures;
    bool ownTaskbarButton = false, icon = false;
    const int result = Run([&](WizardDriver& d) {
        ownTaskbarButton = (::GetWindowLongA(d.wizard, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
        icon = ::SendMessageA(d.wizard, WM_GETICON, ICON_SMALL, 0) != 0;
        seen.push_back(d.Read());
        pictures.push_back(PictureBesides(d.wizard, IDC_WIZARD_SCHEDULE_FREE_SPACE));
        if (!d.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
        seen.push_back(d.Read());
        pictures.push_back(PictureBesides(d.wizard, IDC_WIZARD_SHRED_POINTS));
        if (!d.NextTo(IDC_WIZARD_SHRED_BIN)) return;
        d.Tick(IDC_WIZARD_SHRED_BIN);
        seen.push_back(d.Read());
        pictures.push_back(PictureBesides(d.wizard, IDC_WIZARD_SHRED_BIN));
        d.Press(IDCANCEL);
    });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(pictures, std::vector<bool>(3, true));
    EXPECT_TRUE(ownTaskbarButton && icon) << "the main window is not shown yet";
    EXPECT_TRUE(seen[0].next && !seen[0].back && !seen[0].finish);
    EXPECT_TRUE(seen[1].back && seen[1].next && seen[1].finish && !seen[1].finishEnabled);
    EXPECT_TRUE(seen[2].back && !seen[2].next && seen[2].finish && seen[2].finishEnabled);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(jobs.calls.empty());
    EXPECT_EQ(FirstRun(), "0");
}

TEST_F(FirstRunWizardTest, WithEmptyBinsTwoPagesAndFinishRunsOnlyWhatWasTicked) {
    WizardButtons last;
    const int result = Run([&](WizardDriver& d) {
        d.Tick(IDC_WIZARD_SCHEDULE_FREE_SPACE);
        if (!d.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
        last = d.Read();
        d.Press(IDC_WIZARD_FINISH);
    });
    EXPECT_TRUE(last.back && !last.next && last.finish && last.finishEnabled);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(jobs.calls, std::vector<std::string>{"task"});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(FirstRun(), "0");
}

TEST_F(FirstRunWizardTest, WithoutTheSchedulerTheTaskIsNotOfferedAndFinishMakesNone) {
    jobs.schedulerAvailable = false;
    bool boxEnabled = true, reasonShown = false;
    char reason[200] = "";
    const int result = Run([&](WizardDriver& d) {
        HWND box = WizardControl(d.wizard, IDC_WIZARD_SCHEDULE_FREE_SPACE);
        boxEnabled = ::IsWindowEnabled(box) != FALSE;
        reasonShown = ::IsWindowVisible(WizardControl(d.wizard, IDC_WIZARD_SCHEDULER_MISSING)) != FALSE;
        ::GetWindowTextA(WizardControl(d.wizard, IDC_WIZARD_SCHEDULER_MISSING), reason, sizeof reason);
        // Even a box checked behind the page's back offers nothing.
        ::SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
        if (!d.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
        d.Press(IDC_WIZARD_FINISH);
    });
    EXPECT_FALSE(boxEnabled);
    EXPECT_TRUE(reasonShown);
    EXPECT_STREQ(reason, "The scheduler is not available, so no task can be scheduled.");
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(jobs.calls.empty());
    EXPECT_EQ(FirstRun(), "0");
}

TEST_F(FirstRunWizardTest, RestorePointsWithNoneListedSayItAndAskAgainNextTime) {
    Run([&](WizardDriver& d) {
        if (!d.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
        d.Tick(IDC_WIZARD_SHRED_POINTS);
        d.Press(IDC_WIZARD_FINISH);
    });
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "There isn't any Restore Points to shred.");
    EXPECT_TRUE(jobs.calls.empty());
    EXPECT_EQ(FirstRun(), "1");
}

TEST_F(FirstRunWizardTest, RestorePointsWholeListOrWhatIsLeftOfIt) {
    points = {{"Before the update", "1/2/2026 10:00", 7, 0}, {"Nightly", "1/3/2026 10:00", 9, 0}};
    // The whole list, answered Yes: every point through the restore-point job.
    ui.messageAnswers = {IDYES};
    Run([&](WizardDriver& d) {
        if (!d.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
        d.Tick(IDC_WIZARD_SHRED_POINTS);
        d.Press(IDC_WIZARD_FINISH);
    });
    EXPECT_EQ(jobs.calls, std::vector<std::string>{"points"});
    EXPECT_EQ(FirstRun(), "0") << "the job ran: the wizard must not come back";

    // One row removed first: only the other point's folders, each through the folder walk.
    jobs.calls.clear();
    ui.messages.clear();
    ui.messageAnswers = {IDYES};
    Run([&](WizardDriver& d) {
        if (!d.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
        d.Tick(IDC_WIZARD_SHRED_POINTS);
        d.RemovePointRow(0);
        d.Press(IDC_WIZARD_FINISH);
    });
    EXPECT_EQ(jobs.calls, std::vector<std::string>{"folders"});
    EXPECT_EQ(jobs.shreddedFolders, std::vector<std::string>{"C:\\System Volume Information\\_restore\\RP9"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Shredded Restore Points cannot be recovered! Are you sure you want proceed?");
    EXPECT_EQ(FirstRun(), "0");
}

// Shadow copies (Vista and later) have no folders: the rows are what is offered.
TEST_F(FirstRunWizardTest, RestorePointsAsShadowCopiesGoByTheirNumbers) {
    jobs.shadowCopies = true;
    const auto offer = [&](bool removeFirstRow) {
        jobs.calls.clear();
        ui.messages.clear();
        ui.messageAnswers = {IDYES};
        Run([&](WizardDriver& d) {
            if (!d.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
            d.Tick(IDC_WIZARD_SHRED_POINTS);
            if (removeFirstRow) d.RemovePointRow(0);
            d.Press(IDC_WIZARD_FINISH);
        });
    };
    offer(false);
    EXPECT_EQ(ui.messages.at(0).text, "There isn't any Restore Points to shred.") << "no points listed";
    EXPECT_TRUE(jobs.calls.empty());

    points = {{"Before the update", "1/2/2026 10:00", 7, 0}, {"Nightly", "1/3/2026 10:00", 9, 0}};
    offer(false);
    EXPECT_EQ(jobs.calls, std::vector<std::string>{"points"});
    EXPECT_EQ(FirstRun(), "0");
    offer(true);
    EXPECT_EQ(jobs.calls, std::vector<std::string>{"remove"});
    EXPECT_EQ(jobs.removedPoints, std::vector<int16_t>{9});
    EXPECT_EQ(ui.messages.size(), 1u) << "only the question before the job";
}

// The shipped German pack: the wizard's title, buttons, questions and boxes.
TEST_F(FirstRunWizardTest, TheWizardSpeaksTheChosenLanguage) {
    TestFolder program;
    ASSERT_TRUE(::CreateDirectoryA((program / "Lang").c_str(), nullptr));
    ASSERT_TRUE(::CopyFileA((TestDriveRoot() + "ShippedLang\\German.ini").c_str(),
                            (program / "Lang\\German.ini").c_str(), FALSE))
        << "the packs are staged by the test run";
    texts = LanguagePack(program.path(), "German");
    ASSERT_EQ(texts.currentLanguage(), "German");
    jobs.binEmpty = false;
    std::vector<std::string> seen;
    auto text = [](HWND window) {
        char buffer[512] = "";
        ::GetWindowTextA(window, buffer, sizeof buffer);
        return std::string(buffer);
    };
    RunDrivenWizard(
        parts,
        [&](WizardDriver& driver) {
            for (int id : {IDC_WIZARD_NEXT, IDCANCEL, IDC_WIZARD_SCHEDULE_FREE_SPACE})
                seen.push_back(text(WizardControl(driver.wizard, id)));
            seen.push_back(text(WizardControl(driver.wizard, IDC_WIZARD_OFFER_TEXT)).substr(0, 29));
            if (!driver.NextTo(IDC_WIZARD_SHRED_POINTS)) return;
            for (int id : {IDC_WIZARD_BACK, IDC_WIZARD_FINISH, IDC_WIZARD_SHRED_POINTS})
                seen.push_back(text(WizardControl(driver.wizard, id)));
            if (!driver.NextTo(IDC_WIZARD_SHRED_BIN)) return;
            seen.push_back(text(WizardControl(driver.wizard, IDC_WIZARD_SHRED_BIN)));
            driver.Press(IDCANCEL);
        },
        "Assistent");
    EXPECT_EQ(seen, (std::vector<std::string>{"&Weiter >", "Abbrechen", "Shreddern des freien Speicherplatzes planen.",
                                              "M\xf6" "chten Sie das Shreddern des",
                                              "< &Zur\xfc" "ck", "&Fertig stellen", "Wiederherstellungspunkte shreddern.",
                                              "Papierkorb shreddern [sicheres L\xf6" "schen]."}));
}

}  // namespace
