#pragma once
// Opens a document with the shell; tests put a recorder in its place.
#include <windows.h>
#include <shellapi.h>

#include <string>

class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // Verb "open", shown maximised; a failure is not reported.
    virtual void OpenMaximised(HWND owner, const std::string& path) = 0;
};

class ShellExecuteOpener final : public ShellOpener {
public:
    void OpenMaximised(HWND owner, const std::string& path) override {
        ::ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    }
};

// "<program folder>\HLP\Hlp.chm".
inline std::string HelpFilePath(const std::string& programFolder) { return programFolder + "\\HLP\\Hlp.chm"; }
