#include "app/DefragRetrim.h"

#include <windows.h>

#include "win/FileSystem.h"
#include "win/UniqueResource.h"

namespace {

constexpr DWORD kLookEvery = 100;  // ms between looks, so windows stay painted

bool IsWindows8OrLater() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
    return version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 2);
}

// A 32-bit program on a 64-bit system sees the 32-bit system folder, which
// has no defrag.exe; "Sysnative" names the real one.
bool RunsUnderWow64() {
    using IsWow64Function = BOOL(WINAPI*)(HANDLE, PBOOL);
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto isWow64 =
        kernel != nullptr ? reinterpret_cast<IsWow64Function>(::GetProcAddress(kernel, "IsWow64Process")) : nullptr;
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(::GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

std::wstring DefragRetrim::ToolPath() {
    if (!IsWindows8OrLater()) return std::wstring();
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    win::FsPath folder(system);
    if (RunsUnderWow64()) folder = folder.Parent().Join(L"Sysnative");
    const win::FsPath tool = folder.Join(L"defrag.exe");
    return win::fs::Exists(tool) ? tool.Text() : std::wstring();
}

TrimResult DefragRetrim::Retrim(wchar_t letter, const std::function<void()>& whileWaiting) {
    const std::wstring tool = ToolPath();
    if (tool.empty()) return {TrimOutcome::NotOffered, 0};
    std::wstring line = L"\"" + tool + L"\" " + std::wstring(1, letter) + L": /L";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(tool.c_str(), &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &started))
        return {TrimOutcome::Failed, ::GetLastError()};
    const win::UniqueHandle process(started.hProcess);
    const win::UniqueHandle thread(started.hThread);

    const DWORD limit = kWaitMinutes * 60 * 1000;
    const DWORD begun = ::GetTickCount();
    while (::WaitForSingleObject(process.Get(), kLookEvery) == WAIT_TIMEOUT) {
        if (::GetTickCount() - begun >= limit) return {TrimOutcome::StillRunning, kWaitMinutes};
        if (whileWaiting) whileWaiting();
    }
    DWORD exitCode = 0;
    if (!::GetExitCodeProcess(process.Get(), &exitCode)) return {TrimOutcome::Failed, ::GetLastError()};
    return exitCode == 0 ? TrimResult{TrimOutcome::Trimmed, 0} : TrimResult{TrimOutcome::Failed, exitCode};
}
