#include "lang/TextFill.h"

#include "win/WideText.h"

std::wstring WithPath(const std::string& codePageText, const std::wstring& path) {
    return ReplaceAll(win::WidenAnsi(codePageText), L"%s", path);
}
