#include "win/SystemErrorText.h"

#include <vector>

namespace win {

std::string SystemErrorText(DWORD code, size_t maxLength) {
    std::vector<char> buffer(maxLength + 1, '\0');
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer.data(),
                                    static_cast<DWORD>(buffer.size()), nullptr);
    std::string text(buffer.data(), length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (text.size() > maxLength) text.resize(maxLength);
    return text;
}

}  // namespace win
