#include "lang/LanguagePack.h"

#include <algorithm>
#include <vector>

#include "lang/MessageCatalogue.h"

namespace {

std::string DefaultFor(int id, int variant) {
    const char* text = CatalogueText(id, variant);
    return text != nullptr ? text : std::string();
}

}  // namespace

bool LanguagePack::IsSafeLanguageName(const std::string& name) {
    if (name.empty() || name.size() > kNameLimit) return false;
    if (name.find("..") != std::string::npos || name.front() == '.' || name.front() == ' ' || name.back() == '.' ||
        name.back() == ' ')
        return false;
    for (const char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
        if (std::string("\\/:*?\"<>|~").find(c) != std::string::npos) return false;
    }
    return true;
}

std::string LanguagePack::PackPath() const {
    if (!IsSafeLanguageName(currentLanguage_)) return std::string();
    return programFolder_ + "\\Lang\\" + currentLanguage_ + ".ini";
}

std::string LanguagePack::FlagPath() const {
    if (!IsSafeLanguageName(currentLanguage_)) return std::string();
    return programFolder_ + "\\Lang\\" + currentLanguage_ + ".bmp";
}

std::string LanguagePack::Read(const std::string& id, const std::string& englishDefault, size_t limit) const {
    // The reader trims blanks from a default it hands back, so a missing key is
    // told by a marker and the English text is used as it stands.
    static const char kMissing[] = "\x01";
    std::vector<char> buffer(limit + 1, '\0');
    const std::string path = PackPath();
    if (path.empty()) return englishDefault.substr(0, limit);
    DWORD length = ::GetPrivateProfileStringA(kSection, id.c_str(), kMissing, buffer.data(),
                                              static_cast<DWORD>(buffer.size()), path.c_str());
    std::string text(buffer.data(), std::min<size_t>(length, limit));
    if (text == kMissing) text = englishDefault.substr(0, limit);
    return text;
}

std::string LanguagePack::GetLangText(const std::string& id, const std::string& englishDefault) const {
    std::string text = Read(id, englishDefault, kMessageLimit);
    std::replace(text.begin(), text.end(), '#', '\n');
    return text;
}

std::string LanguagePack::Text(int id) const { return GetLangText(std::to_string(id), DefaultFor(id, 0)); }

std::string LanguagePack::Caption(int id, const std::string& englishDefault) const {
    return Read(std::to_string(id), englishDefault, kCaptionLimit);
}

void LanguagePack::SetLangDlgItemText(const std::string& id, int controlId, const std::string& englishDefault,
                                      HWND window) const {
    const std::string text = Read(id, englishDefault, kCaptionLimit);
    ::SetDlgItemTextA(window, controlId, text.c_str());
}

void LanguagePack::SetDlgItem(int id, int controlId, HWND window, int variant) const {
    SetLangDlgItemText(std::to_string(id), controlId, DefaultFor(id, variant), window);
}
