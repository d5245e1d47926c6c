// A window's open dialogs ended as their Cancel would, the innermost first:
// a dialog that takes Cancel keeps its own answer, and one that ignores it
// (as a Yes/No box does on Windows) is ended anyway.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/resource.h"
#include "win/Dialog.h"
#include "win/OwnedDialogs.h"
#include "win/UniqueResource.h"

namespace {

constexpr INT_PTR kOwnAnswer = 77;
constexpr INT_PTR kNeverEnded = 78;
constexpr UINT_PTR kTimer = 1;
constexpr UINT_PTR kGiveUpTimer = 2;

// Runs Then() once its modal loop is under way.
class TimedDialog : public win::Dialog {
public:
    TimedDialog() : Dialog(IDD_NOTICE) {}

protected:
    BOOL OnInitDialog() override {
        ::SetTimer(Handle(), kTimer, 50, nullptr);
        return TRUE;
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message != WM_TIMER || wParam != kTimer) return FALSE;
        ::KillTimer(Handle(), kTimer);
        Then();
        return TRUE;
    }
    virtual void Then() = 0;
};

class IgnoresCancel final : public TimedDialog {
public:
    explicit IgnoresCancel(HWND topOwner) : topOwner_(topOwner) {}

protected:
    // A failing test ends rather than waits for ever.
    BOOL OnInitDialog() override {
        ::SetTimer(Handle(), kGiveUpTimer, 5000, nullptr);
        return TimedDialog::OnInitDialog();
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kGiveUpTimer) {
            Close(kNeverEnded);
            return TRUE;
        }
        return TimedDialog::OnMessage(message, wParam, lParam);
    }
    void Then() override { win::CancelOwnedDialogs(topOwner_); }
    void OnCancel() override {}

private:
    HWND topOwner_;
};

class AnswersCancel final : public TimedDialog {
public:
    explicit AnswersCancel(HWND owner) : owner_(owner) {}
    INT_PTR inner = -1;

protected:
    void Then() override { inner = IgnoresCancel(owner_).DoModal(Handle()); }
    void OnCancel() override { Close(kOwnAnswer); }

private:
    HWND owner_;
};

TEST(OwnedDialogsTest, EachEndsAsItsCancelWouldAndOneThatIgnoresCancelEndsAnyway) {
    win::UniqueWindow owner(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                              ::GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(owner);
    AnswersCancel outer(owner.Get());
    EXPECT_EQ(outer.DoModal(owner.Get()), kOwnAnswer);
    EXPECT_EQ(outer.inner, IDCANCEL);
}

}  // namespace
