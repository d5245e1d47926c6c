#include "app/LogFileEncoding.h"

#include <windows.h>

#include "win/FileSystem.h"
#include "win/UniqueResource.h"
#include "win/WideText.h"

const char kUtf8Mark[3] = {'\xEF', '\xBB', '\xBF'};

namespace {

bool ReadWhole(HANDLE file, std::string& bytes) {
    bytes.clear();
    char block[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, block, sizeof(block), &read, nullptr)) return false;
        if (read == 0) return true;
        bytes.append(block, read);
    }
}

bool WriteWhole(const win::FsPath& file, const std::string& bytes) {
    const win::UniqueHandle out = win::fs::Open(file, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (!out) return false;
    DWORD written = 0;
    return ::WriteFile(out.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && ::FlushFileBuffers(out.Get());
}

using MoveFunction = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);

// One step on the NT family; the 9x family has no replacing move, and its
// kernel32 is not asked to have the wide one (found at run time).
bool Replace(const win::FsPath& from, const win::FsPath& to) {
    if (win::fs::IsNtFamily()) {
        const win::UniqueModule kernel(::LoadLibraryA("kernel32.dll"));
        const auto move =
            kernel ? reinterpret_cast<MoveFunction>(::GetProcAddress(kernel.Get(), "MoveFileExW")) : nullptr;
        if (move != nullptr)
            return move(from.ExtendedForm().c_str(), to.ExtendedForm().c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    return win::fs::Delete(to) && win::fs::Move(from, to);
}

}  // namespace

bool StartsWithUtf8Mark(const std::string& bytes) { return bytes.compare(0, 3, kUtf8Mark, 3) == 0; }

bool ConvertCodePageLog(const win::FsPath& file) {
    std::string old;
    {
        const win::UniqueHandle in =
            win::fs::Open(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0);
        if (!in) return !win::fs::Exists(file);
        if (!ReadWhole(in.Get(), old)) return false;
    }
    if (old.empty() || StartsWithUtf8Mark(old)) return true;
    const std::wstring text = win::WidenAnsi(old);
    if (text.empty()) return false;
    // Beside the log, so the replacing move stays on one volume.
    const win::FsPath converted(file.Text() + L".utf8");
    if (!WriteWhole(converted, std::string(kUtf8Mark, 3) + win::ToUtf8(text)) || !Replace(converted, file)) {
        win::fs::Delete(converted);
        return false;
    }
    return true;
}
