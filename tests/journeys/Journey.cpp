#include "journeys/Journey.h"

#include <cstdio>

#include "journeys/FilePicker.h"
#include "res/resource.h"

#include "win/UniqueResource.h"

namespace {

win::UniqueRegKey OpenSettings() {
    HKEY key = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return win::UniqueRegKey(key);
}

}  // namespace

void ResetSettings(bool firstRun) {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    WriteSetting("FirstRun", firstRun ? "1" : "0");
    // The shell functions are there under Wine; no notice about them.
    WriteSetting("AlertDisabled", 1);
}

void WriteSetting(const char* name, const std::string& value) {
    win::UniqueRegKey key = OpenSettings();
    ::RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
}

void WriteSetting(const char* name, DWORD value) {
    win::UniqueRegKey key = OpenSettings();
    ::RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

std::string ReadSettingText(const char* name) {
    win::UniqueRegKey key = OpenSettings();
    char value[256] = "";
    DWORD size = sizeof(value) - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
        return "<none>";
    return type == REG_SZ ? std::string(value) : "<not text>";
}

long long ReadSettingDword(const char* name) {
    win::UniqueRegKey key = OpenSettings();
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return -1;
    return value;
}

void Journey::SetUp() {
    ResetSettings();
    RemoveProgramLog();
}

// What the program shows when a journey fails, so that its log tells why.
void Journey::TearDown() {
    if (HasFailure() && program && program->running()) {
        for (HWND window : drive::VisibleWindows(program->id())) {
            std::string line = "still shown: " + drive::ClassOf(window) + " \"" + drive::WindowText(window) + "\":";
            for (const std::string& text : drive::ChildTexts(window))
                if (!text.empty()) line += " [" + text + "]";
            std::printf("%s\n", line.c_str());
        }
    }
    program.reset();
}

void Journey::StartProgram() {
    program = std::make_unique<RunningProgram>();
    ASSERT_TRUE(program->started());
    mainWindow = program->WaitForMainWindow();
    ASSERT_NE(mainWindow, nullptr) << "the main window did not show";
}

HWND Journey::ShowTab(int index) {
    EXPECT_TRUE(drive::SelectTab(mainWindow, index));
    HWND page = drive::CurrentPage(mainWindow);
    EXPECT_NE(page, nullptr);
    return page;
}

void Journey::AnswerBox(int button, const std::string& expected) {
    HWND box = program->WaitForBox();
    ASSERT_NE(box, nullptr) << "no box came up";
    if (!expected.empty()) {
        EXPECT_NE(BoxText(box).find(expected), std::string::npos) << BoxText(box);
    }
    ASSERT_TRUE(drive::ClickItem(box, button)) << "the box has no button " << button;
    ASSERT_TRUE(drive::WaitUntil([box] { return !::IsWindow(box); }, 10000));
}

void Journey::BrowseFiles(HWND page, const std::string& folder, const std::string& names) {
    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_BROWSE));
    HWND dialog = program->WaitForDialogOtherThan(mainWindow);
    ASSERT_NE(dialog, nullptr) << "Browse opened no dialog";
    if (!folder.empty()) OpenFolder(dialog, folder);
    TypeAndOpen(dialog, names);
    ASSERT_TRUE(drive::WaitUntil([dialog] { return !::IsWindow(dialog); }, 10000)) << "the dialog stayed open";
}

void Journey::BrowseFolder(HWND page, const std::string& path) {
    ASSERT_TRUE(drive::ClickItem(page, IDC_TARGETS_BROWSE));
    HWND browser = program->WaitForDialogOtherThan(mainWindow);
    ASSERT_NE(browser, nullptr) << "Browse opened no folder browser";
    ASSERT_TRUE(drive::SelectBrowsedFolder(browser, path)) << path;
    ASSERT_TRUE(drive::ClickItem(browser, IDOK));
    ASSERT_TRUE(drive::WaitUntil([browser] { return !::IsWindow(browser); }, 10000));
}

bool Journey::WaitForJobEnd(DWORD timeoutMs) {
    HWND window = mainWindow;
    const DWORD id = program->id();
    auto settled = [window, id] {
        return ::IsWindowEnabled(window) && drive::VisibleWindows(id) == std::vector<HWND>{window};
    };
    // Settled twice, a moment apart: between two targets the job may close its dialog.
    return drive::WaitUntil([&] { return settled() && (::Sleep(300), settled()); }, timeoutMs);
}

void Journey::ExitProgram(DWORD expectedCode) {
    ASSERT_TRUE(drive::ClickItem(mainWindow, IDCANCEL)) << "no Exit button";
    DWORD code = 0;
    ASSERT_TRUE(program->WaitForExit(15000, &code)) << "the program did not end";
    EXPECT_EQ(code, expectedCode);
}
