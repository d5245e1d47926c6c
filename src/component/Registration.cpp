#include "component/Registration.h"

#include <string>
#include <vector>

#include <olectl.h>

#include "win/UniqueResource.h"

namespace sched {

namespace {

const wchar_t kClassKey[] = L"CLSID\\{CD06F30A-1794-4862-AA8A-3D87A446AC11}";
const wchar_t kClassId[] = L"{CD06F30A-1794-4862-AA8A-3D87A446AC11}";
const wchar_t kProgId[] = L"TaskScheduler.Schedule";
const wchar_t kDescription[] = L"Task Scheduler component";

LONG SetValue(const std::wstring& keyPath, const wchar_t* name, const std::wstring& value) {
    HKEY raw = nullptr;
    LONG status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const win::UniqueRegKey key(raw);
    return ::RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// RegDeleteKey removes no key that still has subkeys.
LONG DeleteTree(HKEY parent, const std::wstring& path) {
    HKEY raw = nullptr;
    LONG status = ::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, &raw);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    {
        const win::UniqueRegKey key(raw);
        std::vector<wchar_t> name(256);
        for (;;) {
            DWORD length = static_cast<DWORD>(name.size());
            status = ::RegEnumKeyExW(key.Get(), 0, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_NO_MORE_ITEMS) break;
            if (status != ERROR_SUCCESS) return status;
            status = DeleteTree(key.Get(), std::wstring(name.data(), length));
            if (status != ERROR_SUCCESS) return status;
        }
    }
    return ::RegDeleteKeyW(parent, path.c_str());
}

HRESULT FromStatus(LONG status) { return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status); }

}  // namespace

HRESULT RegisterComponent(HINSTANCE library) {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(library, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return HRESULT_FROM_WIN32(::GetLastError());
        if (length < path.size()) break;
        path.resize(path.size() * 2);
    }
    const std::wstring classKey(kClassKey);
    const std::wstring progKey(kProgId);
    LONG status = SetValue(classKey, nullptr, kDescription);
    if (status == ERROR_SUCCESS) status = SetValue(classKey + L"\\InprocServer32", nullptr, path.data());
    if (status == ERROR_SUCCESS) status = SetValue(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    if (status == ERROR_SUCCESS) status = SetValue(classKey + L"\\ProgID", nullptr, kProgId);
    if (status == ERROR_SUCCESS) status = SetValue(progKey, nullptr, kDescription);
    if (status == ERROR_SUCCESS) status = SetValue(progKey + L"\\CLSID", nullptr, kClassId);
    if (status != ERROR_SUCCESS) {
        UnregisterComponent();
        return SELFREG_E_CLASS;
    }
    return S_OK;
}

HRESULT UnregisterComponent() {
    const LONG classStatus = DeleteTree(HKEY_CLASSES_ROOT, kClassKey);
    const LONG progStatus = DeleteTree(HKEY_CLASSES_ROOT, kProgId);
    return FAILED(FromStatus(classStatus)) || FAILED(FromStatus(progStatus)) ? SELFREG_E_CLASS : S_OK;
}

}  // namespace sched
