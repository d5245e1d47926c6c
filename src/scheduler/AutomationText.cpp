#include "scheduler/AutomationText.h"

#include <limits>

UniqueBstr BstrFromSystemText(const std::string& text) {
    if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return UniqueBstr();
    const int length = static_cast<int>(text.size());
    const int needed = length == 0 ? 0 : ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    UniqueBstr wide(::SysAllocStringLen(nullptr, static_cast<UINT>(needed)));
    if (wide && needed > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.Get(), needed);
    return wide;
}

std::string SystemTextFromBstr(BSTR text) {
    const int length = static_cast<int>(::SysStringLen(text));
    if (length == 0) return std::string();
    const int needed = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::string();
    std::string result(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], needed, nullptr, nullptr);
    return result;
}

DATE AutomationDateFromLocalTime(const SYSTEMTIME& localTime) {
    SYSTEMTIME wholeSeconds = localTime;
    wholeSeconds.wMilliseconds = 0;
    DATE date = 0;
    if (!::SystemTimeToVariantTime(&wholeSeconds, &date)) return 0;
    return date;
}

DATE AutomationDateNow() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return AutomationDateFromLocalTime(now);
}
