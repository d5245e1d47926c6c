#include "support/DialogDriver.h"

#include <chrono>

DialogDriver::DialogDriver(std::string title, Action action, int buttonId, int textControl,
                           std::vector<int> buttonsToCheck, bool mainWindow)
    : title_(std::move(title)), action_(action), buttonId_(buttonId), textControl_(textControl),
      buttonsToCheck_(std::move(buttonsToCheck)), mainWindow_(mainWindow), thread_([this] { Run(); }) {}

BOOL CALLBACK DialogDriver::Visit(HWND window, LPARAM data) {
    auto* self = reinterpret_cast<DialogDriver*>(data);
    char className[64] = "";
    char title[512] = "";
    ::GetClassNameA(window, className, sizeof(className));
    ::GetWindowTextA(window, title, sizeof(title));
    if (std::string(className) != "#32770" || self->title_ != title || !::IsWindowVisible(window)) return TRUE;
    const bool hasTabs = ::FindWindowExA(window, nullptr, "SysTabControl32", nullptr) != nullptr;
    if (hasTabs != self->mainWindow_) return TRUE;
    self->dialog_ = window;
    return FALSE;
}

DialogDriver::~DialogDriver() {
    if (thread_.joinable()) thread_.join();
}

const SeenDialog& DialogDriver::seen() {
    if (thread_.joinable()) thread_.join();
    return seen_;
}

bool DialogDriver::found() {
    if (thread_.joinable()) thread_.join();
    return found_;
}

void DialogDriver::Run() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        ::EnumWindows(&DialogDriver::Visit, reinterpret_cast<LPARAM>(this));
        if (dialog_ != nullptr) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    HWND dialog = dialog_;
    if (dialog == nullptr) return;
    // Let the dialog finish its initialisation before reading it.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    char buffer[4096];
    ::GetWindowTextA(dialog, buffer, sizeof(buffer));
    seen_.title = buffer;
    if (textControl_ != 0) {
        ::GetDlgItemTextA(dialog, textControl_, buffer, sizeof(buffer));
        seen_.text = buffer;
    }
    for (int id : buttonsToCheck_)
        if (::IsWindowVisible(::GetDlgItem(dialog, id))) seen_.visibleButtons.push_back(id);
    found_ = true;
    switch (action_) {
    case Action::Click:
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId_, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId_)));
        break;
    case Action::Escape:
        ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    case Action::CloseBox:
        ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}
