// The program's dialog colours as a real dialog answers them to its controls
// and paints them.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "res/resource.h"
#include "win/Dialog.h"
#include "win/DialogLook.h"
#include "win/UniqueResource.h"

namespace {

struct MemoryDcTraits {
    using Value = HDC;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { ::DeleteDC(v); }
};

constexpr COLORREF kPink = RGB(255, 189, 252);

class PlainDialog final : public win::Dialog {
public:
    PlainDialog() : Dialog(IDD_NOTICE) {}
};

class DialogLookTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(dc);
        ASSERT_TRUE(bitmap);
        ::SelectObject(dc.Get(), bitmap.Get());
    }
    // Sends a colour message with a DC whose colours are anything but the look's.
    HBRUSH Ask(UINT message, HWND control) {
        ::SetTextColor(dc.Get(), RGB(1, 2, 3));
        ::SetBkColor(dc.Get(), RGB(4, 5, 6));
        ::SetBkMode(dc.Get(), OPAQUE);
        return reinterpret_cast<HBRUSH>(::SendMessageA(dialog.Handle(), message, reinterpret_cast<WPARAM>(dc.Get()),
                                                       reinterpret_cast<LPARAM>(control)));
    }
    COLORREF ErasedColour() {
        ::SendMessageA(dialog.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
        return ::GetPixel(dc.Get(), 4, 4);
    }

    win::DialogLook look{kPink, RGB(0, 0, 0)};
    PlainDialog dialog;
    win::UniqueGdiObject bitmap{::CreateBitmap(8, 8, 1, 32, nullptr)};
    win::UniqueResource<MemoryDcTraits> dc{::CreateCompatibleDC(nullptr)};
};

TEST_F(DialogLookTest, TheDialogItsTextsAndButtonsTakeTheLook) {
    dialog.SetLook(&look);
    for (const auto& [message, control] :
         {std::pair<UINT, int>{WM_CTLCOLORDLG, 0}, {WM_CTLCOLORSTATIC, IDC_NOTICE_TEXT},
          {WM_CTLCOLORSTATIC, IDC_NOTICE_DONT_SHOW}, {WM_CTLCOLORBTN, IDOK}}) {
        const HBRUSH brush = Ask(message, control == 0 ? dialog.Handle() : dialog.Item(control));
        ASSERT_EQ(brush, look.Brush()) << message << " " << control;
        LOGBRUSH logBrush{};
        ASSERT_EQ(::GetObjectA(brush, sizeof(logBrush), &logBrush), static_cast<int>(sizeof(logBrush)));
        EXPECT_EQ(logBrush.lbColor, kPink);
        EXPECT_EQ(::GetBkColor(dc.Get()), kPink) << message << " " << control;
        EXPECT_EQ(::GetTextColor(dc.Get()), RGB(0, 0, 0)) << message << " " << control;
        EXPECT_EQ(::GetBkMode(dc.Get()), TRANSPARENT) << message << " " << control;
    }
    EXPECT_EQ(ErasedColour(), kPink);
}

TEST_F(DialogLookTest, EditsAndListsKeepTheSystemColours) {
    dialog.SetLook(&look);
    win::UniqueWindow edit(::CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_READONLY, 0, 0, 50, 12, dialog.Handle(),
                                             nullptr, ::GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(edit);
    for (const UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX}) {
        EXPECT_NE(Ask(message, edit.Get()), look.Brush()) << message;
        EXPECT_NE(::GetBkColor(dc.Get()), kPink) << message;
    }
}

TEST_F(DialogLookTest, WithoutALookTheSystemColoursStay) {
    dialog.SetLook(&look);
    dialog.SetLook(nullptr);
    const HBRUSH brush = Ask(WM_CTLCOLORDLG, dialog.Handle());
    EXPECT_NE(brush, look.Brush());
    EXPECT_EQ(::GetBkColor(dc.Get()), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ErasedColour(), ::GetSysColor(COLOR_BTNFACE));
}

}  // namespace
