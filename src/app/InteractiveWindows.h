#pragma once
// The windows of an interactive start, which live in the layer above the
// application object: start-up asks for them through this seam.
class InteractiveWindows {
public:
    virtual ~InteractiveWindows() = default;
    // The splash, for about a second or until the main window is ready.
    virtual void ShowSplash() = 0;
    // The main window, modally; returns when it has closed.
    virtual void RunMainWindow() = 0;
    // The main window of a command-line run: created, initialised, never shown.
    virtual void CreateHiddenMainWindow() = 0;
};
