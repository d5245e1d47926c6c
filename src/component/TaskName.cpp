#include "component/TaskName.h"

#include <windows.h>

#include <cwctype>

namespace sched {

namespace {

bool IsDeviceName(const std::wstring& name) {
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CLOCK$"};
    const std::wstring stem = name.substr(0, name.find(L'.'));
    for (const wchar_t* device : kDevices)
        if (::lstrcmpiW(stem.c_str(), device) == 0) return true;
    if (stem.size() == 4 && std::iswdigit(stem[3]) && stem[3] != L'0') {
        const std::wstring prefix = stem.substr(0, 3);
        return ::lstrcmpiW(prefix.c_str(), L"COM") == 0 || ::lstrcmpiW(prefix.c_str(), L"LPT") == 0;
    }
    return false;
}

}  // namespace

std::wstring TaskNameProblem(const std::wstring& name) {
    if (name.empty()) return L"A task needs a name.";
    if (name.size() > kMaxTaskNameLength)
        return L"A task name may have at most " + std::to_wstring(kMaxTaskNameLength) + L" characters.";
    for (wchar_t c : name) {
        if (c < 0x20) return L"A task name may not hold control characters.";
        if (std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos)
            return L"A task name may not hold any of the characters \\ / : * ? \" < > |.";
    }
    if (name.back() == L'.' || name.back() == L' ' || name.front() == L' ')
        return L"A task name may not begin with a blank or end with a blank or a dot.";
    if (IsDeviceName(name)) return L"\"" + name + L"\" is the name of a device and cannot name a task.";
    return std::wstring();
}

std::wstring TaskNameFromFileName(const std::wstring& fileName) {
    const size_t length = fileName.size();
    if (length > 4 && ::lstrcmpiW(fileName.c_str() + length - 4, L".job") == 0) return fileName.substr(0, length - 4);
    return fileName;
}

}  // namespace sched
