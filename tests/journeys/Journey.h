#pragma once
// What every journey does: a fresh settings key (no first-run wizard unless a
// journey asks for it), the program started, its main window found, a tab
// chosen, a box answered.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "journeys/RunningProgram.h"
#include "support/WindowDriver.h"

// The program's settings key, as the program writes it.
constexpr char kSettingsKey[] = "Software\\Korvex\\Vantrel";

void ResetSettings(bool firstRun = false);
void WriteSetting(const char* name, const std::string& value);
void WriteSetting(const char* name, DWORD value);
std::string ReadSettingText(const char* name);
// The setting as a number; -1 when it is missing or no number.
long long ReadSettingDword(const char* name);

class Journey : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program without a command line and waits for its main window.
    void StartProgram();
    // The sheet's page at that tab, once it is the current one.
    HWND ShowTab(int index);
    // Waits for a box of the program, checks its text holds `expected` (when
    // given) and presses that button.
    void AnswerBox(int button, const std::string& expected = std::string());
    // Browse on the Shred Files page: the open-file dialog goes into folder
    // (unless empty) and opens the names typed.
    void BrowseFiles(HWND page, const std::string& folder, const std::string& names);
    // Browse on the Shred Folders page: the folder picked in the system's browser.
    void BrowseFolder(HWND page, const std::string& path);
    // Waits until a job has ended: the main window is enabled and no other
    // window of the program shows (a box left open fails the wait).
    bool WaitForJobEnd(DWORD timeoutMs = 60000);
    // Presses Exit and waits until the program has ended with that code.
    void ExitProgram(DWORD expectedCode = 0);

    std::unique_ptr<RunningProgram> program;
    HWND mainWindow = nullptr;
};
