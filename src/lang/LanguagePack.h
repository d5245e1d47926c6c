#pragma once
// Texts by message identifier from the current language pack
// ("<program folder>\Lang\<language>.ini"), English from the catalogue as the
// fallback. Every lookup reads the file again: no cache.
#include <windows.h>

#include <string>

class LanguagePack {
public:
    static constexpr const char* kSection = "Korvex Language Pack";
    static constexpr size_t kMessageLimit = 1999;  // characters of a message text
    static constexpr size_t kCaptionLimit = 99;    // of a caption, title or tab

    LanguagePack(std::string programFolder, std::string currentLanguage)
        : programFolder_(std::move(programFolder)), currentLanguage_(std::move(currentLanguage)) {}

    // A message: the pack's text with every "#" turned into a line feed.
    std::string GetLangText(const std::string& id, const std::string& englishDefault) const;
    // The same with the default taken from the catalogue.
    std::string Text(int id) const;
    // A caption or title, read as it stands ("#" stays) into 99 characters.
    std::string Caption(int id, const std::string& englishDefault) const;
    void SetLangDlgItemText(const std::string& id, int controlId, const std::string& englishDefault,
                            HWND window) const;
    // The control caption with the catalogue's default (variant for 9208's second text).
    void SetDlgItem(int id, int controlId, HWND window, int variant = 0) const;

    // The pack file, or empty when the language's name could reach outside
    // the Lang folder: such a language counts as one without a pack.
    std::string PackPath() const;
    // The same for the flag bitmap beside the pack.
    std::string FlagPath() const;
    // A language name comes from the registry or a file listing, so it is
    // untrusted: a plain file name of at most kNameLimit characters.
    static bool IsSafeLanguageName(const std::string& name);
    static constexpr size_t kNameLimit = 64;
    const std::string& programFolder() const { return programFolder_; }
    const std::string& currentLanguage() const { return currentLanguage_; }
    void SetCurrentLanguage(std::string language) { currentLanguage_ = std::move(language); }

private:
    std::string Read(const std::string& id, const std::string& englishDefault, size_t limit) const;

    std::string programFolder_;
    std::string currentLanguage_;
};
