#include "support/WizardDriver.h"

#include <commctrl.h>

#include <chrono>
#include <thread>

#include "res/resource.h"
#include "ui/FirstRunWizard.h"

namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (::GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

HWND WizardControl(HWND wizard, int id) {
    Search search{id, nullptr};
    ::EnumChildWindows(wizard, &MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool WizardDriver::Wait(const char* title) {
    return WaitFor([&] {
        wizard = ::FindWindowA("#32770", title);
        // The first page is made once the wizard shows.
        return wizard != nullptr && ::IsWindowVisible(wizard) &&
               ::IsWindowVisible(WizardControl(wizard, IDC_WIZARD_SCHEDULE_FREE_SPACE));
    });
}

WizardButtons WizardDriver::Read() const {
    WizardButtons b;
    b.back = ::IsWindowVisible(WizardControl(wizard, IDC_WIZARD_BACK)) != FALSE;
    b.next = ::IsWindowVisible(WizardControl(wizard, IDC_WIZARD_NEXT)) != FALSE;
    b.finish = ::IsWindowVisible(WizardControl(wizard, IDC_WIZARD_FINISH)) != FALSE;
    b.finishEnabled = ::IsWindowEnabled(WizardControl(wizard, IDC_WIZARD_FINISH)) != FALSE;
    return b;
}

void WizardDriver::Press(int id) const {
    ::PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(WizardControl(wizard, id)));
}

bool WizardDriver::NextTo(int control) const {
    Press(IDC_WIZARD_NEXT);
    if (!WaitFor([&] { return ::IsWindowVisible(WizardControl(wizard, control)) != FALSE; })) return false;
    // The page shows before the sheet sets its buttons: wait until it has handled the press.
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(wizard, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored) != 0;
}

bool WizardDriver::Tick(int box) const {
    ::PostMessageA(WizardControl(wizard, box), BM_CLICK, 0, 0);
    return WaitFor([&] { return ::SendMessageA(WizardControl(wizard, box), BM_GETCHECK, 0, 0) == BST_CHECKED; });
}

bool WizardDriver::RemovePointRow(int row) const {
    HWND list = WizardControl(wizard, IDC_WIZARD_POINT_LIST);
    const LRESULT rows = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    LVITEMA select{};
    select.stateMask = LVIS_SELECTED;
    select.state = LVIS_SELECTED;
    // Sent, not posted: the item must outlive the call.
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&select));
    ::PostMessageA(WizardControl(wizard, IDC_WIZARD_REMOVE_POINT), BM_CLICK, 0, 0);
    return WaitFor([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows - 1; });
}

int RunDrivenWizard(FirstRunParts& parts, const std::function<void(WizardDriver&)>& steps, const char* title) {
    WizardDriver driver;
    std::thread thread([&] {
        if (driver.Wait(title)) steps(driver);
    });
    const int result = RunFirstRunWizard(parts);
    thread.join();
    return result;
}
