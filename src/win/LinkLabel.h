#pragma once
// A static text control of a dialog that behaves as a link: underlined, a
// hand cursor, its colour following the mouse and whether it was opened, a
// tool tip, and a click that opens its target. The owner hands the control's
// WM_CTLCOLORSTATIC to OnCtlColor.
#include <windows.h>

#include <string>

#include "win/UniqueResource.h"

namespace win {

// What a click does with the target; tests put a recorder here.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual void Open(HWND owner, const std::string& target) = 0;
};

// The shell's "open", shown minimised; a target that cannot be opened is not reported.
class ShellLinkOpener final : public LinkOpener {
public:
    void Open(HWND owner, const std::string& target) override;
};

struct CursorTraits {
    using Value = HCURSOR;
    static Value Invalid() noexcept { return nullptr; }
    static bool IsValid(Value v) noexcept { return v != nullptr; }
    static void Free(Value v) noexcept { ::DestroyCursor(v); }
};
using UniqueCursor = UniqueResource<CursorTraits>;

class LinkLabel {
public:
    // Sent to the parent instead of opening the target, when asked for.
    static constexpr UINT kClickedMessage = WM_USER + 101;
    static constexpr UINT kToolId = 1001;

    LinkLabel() = default;
    ~LinkLabel();
    LinkLabel(const LinkLabel&) = delete;
    LinkLabel& operator=(const LinkLabel&) = delete;

    // Takes over a static control; false when it is no window or already taken.
    bool Attach(HWND control);

    void SetTarget(std::string target) { target_ = std::move(target); }
    const std::string& Target() const noexcept { return target_; }
    void EnableToolTip(bool enable);
    // Only while the tool tip is enabled.
    void SetToolTipText(const std::string& text);
    void SetToolTipColours(COLORREF background, COLORREF text) const;
    void SetLinkColour(COLORREF colour) { linkColour_ = colour; }
    void SetHoverColour(COLORREF colour) { hoverColour_ = colour; }
    void SetVisitedColour(COLORREF colour) { visitedColour_ = colour; }
    void SetNotifyParent(bool notify) { notifyParent_ = notify; }
    // nullptr: the shell opens the target.
    void SetOpener(LinkOpener* opener) { opener_ = opener; }

    HWND Handle() const noexcept { return control_; }
    HWND ToolTip() const noexcept { return toolTip_.Get(); }
    bool Hovering() const noexcept { return hovering_; }
    bool Visited() const noexcept { return visited_; }
    bool ToolTipEnabled() const noexcept { return toolTipEnabled_; }
    // What the text is drawn in now.
    COLORREF TextColour() const noexcept;
    // The answer to the parent's WM_CTLCOLORSTATIC for this control.
    HBRUSH OnCtlColor(HDC dc) const;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(LPARAM lParam);
    void Click();
    void CreateToolTip();
    void Detach();

    HWND control_ = nullptr;
    WNDPROC staticProc_ = nullptr;
    UniqueCursor handCursor_;
    bool notifyParent_ = false;
    bool toolTipEnabled_ = false;
    bool hovering_ = false;
    bool visited_ = false;
    bool pressed_ = false;
    UniqueGdiObject underlinedFont_;
    HFONT originalFont_ = nullptr;
    UniqueWindow toolTip_;
    std::string toolTipText_;
    std::string target_;
    COLORREF linkColour_ = RGB(0, 0, 255);
    COLORREF hoverColour_ = RGB(255, 0, 0);
    COLORREF visitedColour_ = RGB(5, 34, 143);
    LinkOpener* opener_ = nullptr;
    ShellLinkOpener shell_;
};

}  // namespace win
