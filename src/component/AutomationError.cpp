#include "component/AutomationError.h"

#include <cstdio>

namespace sched {

std::wstring ErrorText(HRESULT hr) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result;
    if (length != 0 && text != nullptr) {
        result.assign(text, length);
        while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
            result.pop_back();
    }
    if (text != nullptr) ::LocalFree(text);
    wchar_t code[32];
    std::swprintf(code, 32, L"0x%08lX", static_cast<unsigned long>(hr));
    return result.empty() ? std::wstring(L"Error ") + code : result + L" (" + code + L")";
}

void Fail(const std::wstring& description, HRESULT code) { throw AutomationError{description, code}; }

void ThrowIfFailed(HRESULT hr, const std::wstring& description) {
    if (FAILED(hr)) Fail(description + L" " + ErrorText(hr), hr);
}

}  // namespace sched
