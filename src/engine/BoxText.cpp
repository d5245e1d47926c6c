#include "engine/BoxText.h"

namespace {

// The cut never splits a surrogate pair.
size_t KeepWhole(const std::wstring& line, size_t at) {
    return at > 0 && at < line.size() && line[at] >= 0xDC00 && line[at] <= 0xDFFF ? at - 1 : at;
}

std::wstring ShortenedLine(const std::wstring& line) {
    if (line.size() <= kLongestBoxLine) return line;
    const size_t head = KeepWhole(line, kLongestBoxLine / 3);
    const size_t tail = KeepWhole(line, line.size() - (kLongestBoxLine - kLongestBoxLine / 3 - 1));
    return line.substr(0, head) + L"\u2026" + line.substr(tail);
}

}  // namespace

std::wstring ShortenedForBox(const std::wstring& text) {
    std::wstring shown;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(L'\n', start);
        shown += ShortenedLine(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return shown;
        shown += L'\n';
        start = end + 1;
    }
}
