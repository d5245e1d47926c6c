#pragma once
// Base of every dialog, modal or modeless. The object is attached to its
// window at WM_INITDIALOG and messages are routed to virtual handlers.
// Property pages and wizards reuse Route() from their own dialog procedure.
#include <windows.h>

#include <string>

namespace win {

class DialogLook;

class Dialog {
public:
    explicit Dialog(UINT templateId) noexcept : templateId_(templateId) {}
    // A template of another module's resources, e.g. of a DLL's own.
    Dialog(UINT templateId, HINSTANCE resources) noexcept : templateId_(templateId), resources_(resources) {}
    virtual ~Dialog();

    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; answers what EndDialog was given, or -1.
    INT_PTR DoModal(HWND parent);
    // Creates the dialog modeless; false when the window could not be made.
    bool Create(HWND parent);
    // Destroys a modeless window (a no-op for a modal one or none).
    void Destroy() noexcept;

    HWND Handle() const noexcept { return hwnd_; }
    HWND Item(int controlId) const noexcept { return ::GetDlgItem(hwnd_, controlId); }
    void SetItemText(int controlId, const std::string& text) const;
    // A text that names a path: shown as itself, in any script.
    void SetItemText(int controlId, const std::wstring& text) const;
    void SetTitle(const std::string& text) const;
    // The colours of the window; nullptr (the default) keeps the system's.
    // The look must outlive the window.
    void SetLook(const DialogLook* look);

protected:
    // Ends a modal dialog; a modeless one is destroyed instead.
    void Close(INT_PTR result);

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual bool OnCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void OnOK() { Close(IDOK); }
    virtual void OnCancel() { Close(IDCANCEL); }
    // Anything the handlers above do not take; answer FALSE to let the
    // default dialog procedure act.
    virtual INT_PTR OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return FALSE; }

    static INT_PTR Route(Dialog* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // For dialog procedures of their own (pages): ties the object to its
    // window at WM_INITDIALOG, and finds it again for later messages.
    static void AttachToWindow(Dialog* self, HWND hwnd);
    static Dialog* FromWindow(HWND hwnd);
    UINT TemplateId() const noexcept { return templateId_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE Resources() const noexcept;

    UINT templateId_;
    HINSTANCE resources_ = nullptr;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    const DialogLook* look_ = nullptr;
};

}  // namespace win
