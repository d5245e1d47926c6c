#include "journeys/FilePicker.h"

#include <gtest/gtest.h>

#include "support/WindowDriver.h"

namespace {
// The name box: an edit inside a combo box, or the edit alone.
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;
}  // namespace

HWND FileNameBox(HWND dialog) {
    if (HWND combo = ::GetDlgItem(dialog, kFileNameCombo)) {
        if (HWND edit = ::FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
        return combo;
    }
    return ::GetDlgItem(dialog, kFileNameEdit);
}

void TypeAndOpen(HWND dialog, const std::string& text) {
    ASSERT_TRUE(drive::Type(FileNameBox(dialog), text));
    ASSERT_TRUE(drive::ClickItem(dialog, IDOK));
}

void OpenFolder(HWND dialog, const std::string& folder) {
    TypeAndOpen(dialog, folder);
    ASSERT_TRUE(drive::WaitUntil([dialog] { return drive::WindowText(FileNameBox(dialog)).empty(); }, 10000))
        << "the dialog did not go into " << folder;
}
