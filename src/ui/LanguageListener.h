#pragma once
// Told when the user has picked another language, after it is stored: the
// main window applies it to its tabs, title and buttons (ApplyLanguage).
class LanguageListener {
public:
    virtual ~LanguageListener() = default;
    virtual void OnLanguageChanged() = 0;
};
