#pragma once
// Drives the first-run wizard from another thread by posted messages, the way
// a user's clicks reach it, and reads its buttons.
#include <windows.h>

#include <functional>

struct FirstRunParts;

struct WizardButtons {
    bool back = false, next = false, finish = false, finishEnabled = false;
};

// Finds a control of the wizard or of one of its pages.
HWND WizardControl(HWND wizard, int id);
// Polls for up to 20 s.
bool WaitFor(const std::function<bool()>& condition);

class WizardDriver {
public:
    HWND wizard = nullptr;
    // Until the wizard titled so and its first page show.
    bool Wait(const char* title = "Wizard");
    WizardButtons Read() const;
    void Press(int id) const;
    // Moves on and waits until the page with `control` shows.
    bool NextTo(int control) const;
    // Clicks a check box and waits until it is ticked.
    bool Tick(int box) const;
    // Selects one row of the restore-point list and presses Remove Item;
    // true once the row is gone.
    bool RemovePointRow(int row) const;
};

// Runs the first-run wizard over parts while steps drive it from another
// thread, once the wizard titled so shows; answers the wizard's result.
int RunDrivenWizard(FirstRunParts& parts, const std::function<void(WizardDriver&)>& steps,
                    const char* title = "Wizard");
