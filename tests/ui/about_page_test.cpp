// The About page in a sheet of its own: the version texts from the
// executable's version resource, and the link's look as the mouse moves
// over it and clicks it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "ui/CAboutDlg.h"
#include "win/PropertySheet.h"
#include "win/SkinEngine.h"

namespace {

class RecordingSkin final : public SkinEngine {
public:
    void LoadSkin(const std::string& /*skinFile*/) override {}
    void ApplySkin(HWND window) override { skinned.push_back(window); }
    std::vector<HWND> skinned;
};

class RecordingOpener final : public win::LinkOpener {
public:
    void Open(HWND owner, const std::string& target) override { opened.emplace_back(owner, target); }
    std::vector<std::pair<HWND, std::string>> opened;
};

std::string TextOf(HWND window) {
    char buffer[512] = {};
    ::GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

class AboutPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.AddPage(page);
        // Under Wine the sheet on main reports no window for a modeless
        // sheet (the main-window branch mends that); the page is made either way.
        sheet.Create(nullptr, true);
        ASSERT_NE(page.Handle(), nullptr);
        sheetWindow = ::GetParent(page.Handle());
        page.link().SetOpener(&opener);
        link = page.Item(IDC_ABOUT_LINK);
        dc = ::CreateCompatibleDC(nullptr);
    }
    void TearDown() override {
        if (dc != nullptr) ::DeleteDC(dc);
        if (sheet.Handle() != nullptr)
            sheet.EndSheet(0);
        else if (sheetWindow != nullptr)
            ::DestroyWindow(sheetWindow);
    }
    // What the page answers the link's colour request with.
    COLORREF DrawnColour() {
        ::SetTextColor(dc, RGB(1, 2, 3));
        const LRESULT brush = ::SendMessageA(page.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                             reinterpret_cast<LPARAM>(link));
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
        EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
        return ::GetTextColor(dc);
    }
    void MoveTo(int x, int y) { ::SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void ClickAt(int x, int y) {
        ::SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    LanguagePack texts{"T:\\no-such-folder", "English"};
    RecordingSkin skin;
    RecordingOpener opener;
    CAboutDlg page{texts, skin};
    win::PropertySheet sheet{0, PSH_NOAPPLYNOW};
    HWND sheetWindow = nullptr;
    HWND link = nullptr;
    HDC dc = nullptr;
};

TEST_F(AboutPageTest, ShowsTheVersionResourceAndItsCaptions) {
    EXPECT_EQ(TextOf(page.Item(IDC_ABOUT_VERSION)), VANTREL_VERSION);
    EXPECT_EQ(TextOf(page.Item(IDC_ABOUT_COPYRIGHT)), "Copyright (C) 2026 Plinkor");
    EXPECT_EQ(TextOf(page.Item(IDC_ABOUT_VERSION_LABEL)), "Version:");
    EXPECT_EQ(TextOf(page.Handle()), "About Vantrel");
    EXPECT_EQ(skin.skinned, std::vector<HWND>{page.Handle()});
    // The program icon, once the program carries one.
    if (::FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_PROGRAM), MAKEINTRESOURCEA(14)) != nullptr)
        EXPECT_NE(::SendMessageA(page.Item(IDC_ABOUT_ICON), STM_GETICON, 0, 0), 0);
    else
        EXPECT_NE(page.Item(IDC_ABOUT_ICON), nullptr);

    EXPECT_EQ(page.link().Target(), CAboutDlg::kMakersSite);
    EXPECT_NE(::GetWindowLongA(link, GWL_STYLE) & SS_NOTIFY, 0);
    LOGFONTA font{};
    ASSERT_NE(::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(link, WM_GETFONT, 0, 0)), sizeof(font), &font), 0);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_EQ(::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    // The hand is the label's own copy, not a handle that goes with a library.
    HCURSOR hand = ::GetCursor();
    ICONINFO parts{};
    ASSERT_TRUE(::GetIconInfo(hand, &parts));
    if (parts.hbmMask) ::DeleteObject(parts.hbmMask);
    if (parts.hbmColor) ::DeleteObject(parts.hbmColor);
    EXPECT_NE(hand, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));

    ASSERT_NE(page.link().ToolTip(), nullptr);
    EXPECT_TRUE(page.link().ToolTipEnabled());
    char tip[256] = {};
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = link;
    info.uId = win::LinkLabel::kToolId;
    info.lpszText = tip;
    ::SendMessageA(page.link().ToolTip(), TTM_GETTEXTA, sizeof(tip), reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(tip, "Click here to visit Plinkor web site");
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(page.link().ToolTip(), TTM_GETTIPBKCOLOR, 0, 0)),
              RGB(255, 255, 255));
}

TEST_F(AboutPageTest, LinkTurnsRedUnderTheMouseAndKeepsTheVisitedColourAfterAClick) {
    EXPECT_EQ(DrawnColour(), RGB(0, 0, 255));
    MoveTo(3, 3);
    EXPECT_TRUE(page.link().Hovering());
    EXPECT_EQ(::GetCapture(), link);
    EXPECT_EQ(DrawnColour(), RGB(255, 0, 0));
    MoveTo(-20, 3);
    EXPECT_FALSE(page.link().Hovering());
    EXPECT_NE(::GetCapture(), link);
    EXPECT_EQ(DrawnColour(), RGB(0, 0, 255));

    // A press that is let go outside the link opens nothing.
    MoveTo(3, 3);
    ::SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_FALSE(page.link().Visited());

    ClickAt(3, 3);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0].first, page.Handle());
    EXPECT_EQ(opener.opened[0].second, "https://www.plinkor.example/vantrel");
    EXPECT_TRUE(page.link().Visited());
    EXPECT_EQ(DrawnColour(), RGB(0, 13, 0));
    MoveTo(-20, 3);
    EXPECT_EQ(DrawnColour(), RGB(0, 13, 0));
}

}  // namespace
