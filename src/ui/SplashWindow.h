#pragma once
// The splash of an interactive start: the program's icon, name and version,
// shown for a moment before the main window. Not skinned; a click or a key
// closes it early.
#include <windows.h>

#include "win/Dialog.h"
#include "win/UniqueResource.h"

class LanguagePack;

class SplashWindow : public win::Dialog {
public:
    static constexpr UINT kDefaultMilliseconds = 1000;

    SplashWindow(const LanguagePack& texts, UINT milliseconds);

protected:
    BOOL OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const LanguagePack& texts_;
    UINT milliseconds_;
    win::UniqueGdiObject nameFont_;
};

// Shows the splash modally; returns once it has closed by itself.
void ShowSplash(const LanguagePack& texts, UINT milliseconds = SplashWindow::kDefaultMilliseconds);
