// The four-answer box as a real window, driven by posted messages.
#include <gtest/gtest.h>

#include "engine/EngineState.h"
#include "engine/ConfirmAllDlg.h"
#include "engine/DialogInteraction.h"
#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "support/DialogDriver.h"

namespace {

const std::vector<int> kButtons = {IDOK, IDCANCEL, IDYES, IDC_CONFIRM_YES_TO_ALL, IDNO, IDC_CONFIRM_NO_TO_ALL};

class ConfirmAllDialogTest : public ::testing::Test {
protected:
    EngineState state;
    LanguagePack texts{"T:\\no-such-folder", "English"};
    std::string caption = "Vantrel";
    DialogInteraction ui{state, texts, caption};
};

TEST_F(ConfirmAllDialogTest, EachButtonGivesItsResult) {
    struct Case {
        int button;
        int result;
        bool cancels;
    };
    for (const Case c : {Case{IDYES, 6, false}, Case{IDNO, 7, false}, Case{IDC_CONFIRM_YES_TO_ALL, 1025, false},
                         Case{IDC_CONFIRM_NO_TO_ALL, 2, true}}) {
        state.cancelRequested = false;
        DialogDriver driver("Box caption", DialogDriver::Action::Click, c.button, IDC_CONFIRM_TEXT, kButtons);
        EXPECT_EQ(ui.ConfirmAll("Box caption", "Shred it?", ConfirmStyleYesNoAll), c.result) << c.button;
        EXPECT_EQ(state.cancelRequested, c.cancels) << c.button;
        ASSERT_TRUE(driver.found());
        EXPECT_EQ(driver.seen().text, "Shred it?");
        EXPECT_EQ(driver.seen().visibleButtons,
                  (std::vector<int>{IDYES, IDC_CONFIRM_YES_TO_ALL, IDNO, IDC_CONFIRM_NO_TO_ALL}));
    }
}

TEST_F(ConfirmAllDialogTest, EscapeAndTheCloseBoxCancelWithoutStoppingTheJob) {
    {
        DialogDriver driver("Esc box", DialogDriver::Action::Escape);
        EXPECT_EQ(ui.ConfirmAll("Esc box", "text", ConfirmStyleYesNoAll), 2);
        EXPECT_TRUE(driver.found());
    }
    {
        DialogDriver driver("Closed box", DialogDriver::Action::CloseBox);
        EXPECT_EQ(ui.ConfirmAll("Closed box", "text", ConfirmStyleYesNoAll), 2);
        EXPECT_TRUE(driver.found());
    }
    EXPECT_FALSE(state.cancelRequested);
}

TEST_F(ConfirmAllDialogTest, StylesShowTheirButtonsAndOkCountsAsYes) {
    struct Case {
        int style;
        std::vector<int> buttons;
    };
    for (const Case& c : {Case{0, {IDOK}}, Case{4, {IDOK}}, Case{1, {IDOK, IDCANCEL}}, Case{5, {IDOK, IDCANCEL}},
                          Case{2, {IDYES, IDNO}}, Case{6, {IDYES, IDNO}}, Case{7, {}}}) {
        DialogDriver driver("Styled", DialogDriver::Action::Click, IDOK, 0, kButtons);
        EXPECT_EQ(ui.ConfirmAll("Styled", "text", c.style), 6) << c.style;
        EXPECT_EQ(driver.seen().visibleButtons, c.buttons) << c.style;
    }
}

}  // namespace
