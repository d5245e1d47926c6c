// The notice as a real window: its texts per mode, and how it is closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "engine/NoticeDlg.h"
#include "win/SkinEngine.h"

namespace {

class RecordingSkin final : public SkinEngine {
public:
    void LoadSkin(const std::string& /*skinFile*/) override {}
    void ApplySkin(HWND window) override { skinned.push_back(window); }
    std::vector<HWND> skinned;
};

struct SeenNotice {
    HWND window = nullptr;
    std::string title, text, box, ok;
    bool textFits = false;  // the text, wrapped in the dialog's font, fits its control
};

bool TextFits(HWND control) {
    char text[4096] = {};
    ::GetWindowTextA(control, text, sizeof(text));
    RECT room{}, needed{};
    ::GetClientRect(control, &room);
    needed = room;
    const HDC dc = ::GetDC(control);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    ::DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return needed.bottom <= room.bottom;
}

enum class Close { Ok, Escape, CloseBox };

// From another thread, as a person would: waits for the notice, reads it,
// clicks the check box if asked, then closes it, all by posted messages.
void DriveNotice(const std::string& title, bool tick, Close close, SeenNotice& seen) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    HWND dialog = nullptr;
    while (std::chrono::steady_clock::now() < deadline && (dialog == nullptr || !::IsWindowVisible(dialog))) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        dialog = ::FindWindowA("#32770", title.c_str());
    }
    if (dialog == nullptr) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto read = [](HWND window) {
        char buffer[4096] = {};
        ::GetWindowTextA(window, buffer, sizeof(buffer));
        return std::string(buffer);
    };
    seen = {dialog, read(dialog), read(::GetDlgItem(dialog, IDC_NOTICE_TEXT)),
            read(::GetDlgItem(dialog, IDC_NOTICE_DONT_SHOW)), read(::GetDlgItem(dialog, IDOK)),
            TextFits(::GetDlgItem(dialog, IDC_NOTICE_TEXT))};
    if (tick) ::PostMessageA(::GetDlgItem(dialog, IDC_NOTICE_DONT_SHOW), BM_CLICK, 0, 0);
    if (close == Close::Ok)
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    else if (close == Close::Escape)
        ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    else
        ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class NoticeDialogTest : public ::testing::Test {
protected:
    NoticeDlg::NoticeResult Show(NoticeDlg::Mode mode, bool tick, Close close) {
        NoticeDlg notice(mode, texts, "Notice caption", skin);
        seen = {};
        std::thread driver(DriveNotice, "Notice caption", tick, close, std::ref(seen));
        const NoticeDlg::NoticeResult result = notice.Run(nullptr);
        driver.join();
        EXPECT_EQ(result.dontShowAgain, notice.dontShowAgain());
        return result;
    }

    LanguagePack texts{"T:\\no-such-folder", "English"};
    RecordingSkin skin;
    SeenNotice seen;
};

TEST_F(NoticeDialogTest, EachModeShowsItsNoticeUnderTheCaptionAndIsSkinnedOnce) {
    for (const auto& [mode, id] : {std::pair<NoticeDlg::Mode, int>{NoticeDlg::ShellVersion, 11000},
                                   {NoticeDlg::RecycleBinConflict, 9062},
                                   {NoticeDlg::SolidStateDrive, 15320}}) {
        skin.skinned.clear();
        const NoticeDlg::NoticeResult result = Show(mode, false, Close::Ok);
        ASSERT_NE(seen.window, nullptr) << mode;
        EXPECT_EQ(seen.text, texts.Text(id)) << mode;
        EXPECT_TRUE(seen.textFits) << mode;
        EXPECT_EQ(seen.title, "Notice caption");
        EXPECT_EQ(seen.box, "&Don't show me this again.");
        EXPECT_EQ(seen.ok, "OK");
        EXPECT_EQ(skin.skinned, std::vector<HWND>{seen.window}) << mode;
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(result.dontShowAgain, 0);
    }
}

TEST_F(NoticeDialogTest, OnlyOkReportsTheTickedBox) {
    const NoticeDlg::NoticeResult ticked = Show(NoticeDlg::RecycleBinConflict, true, Close::Ok);
    EXPECT_TRUE(ticked.ok);
    EXPECT_EQ(ticked.dontShowAgain, 1);
    for (const Close close : {Close::Escape, Close::CloseBox}) {
        const NoticeDlg::NoticeResult cancelled = Show(NoticeDlg::RecycleBinConflict, true, close);
        ASSERT_NE(seen.window, nullptr);
        EXPECT_FALSE(cancelled.ok) << static_cast<int>(close);
        EXPECT_EQ(cancelled.dontShowAgain, 0) << static_cast<int>(close);
    }
}

}  // namespace
