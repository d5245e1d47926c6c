#include "scheduler/TaskCommandLine.h"

#include <algorithm>

#include "engine/Settings.h"
#include "engine/SettingsStore.h"
#include "win/WideText.h"

namespace {

bool HasUnsafeCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return c == '"' || u < 0x20 || u == 0x7F;
    });
}

// The control characters of UTF-16 too: C1 controls, and the line and
// paragraph separators, would break the line as a line feed does.
bool HasUnsafeCharacter(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) {
        return c == L'"' || c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
    });
}

std::wstring Quoted(const std::wstring& piece) { return L"\"" + piece + L"\""; }

std::wstring Number(const wchar_t* prefix, int32_t value) { return Quoted(prefix + std::to_wstring(value)); }

}  // namespace

TaskSwitches ReadTaskSwitches(const SettingsStore& settings) {
    TaskSwitches switches;
    switches.method = settings.Read(setting::kMethod);
    switches.folder = settings.Read(setting::kFolder);
    switches.remove = settings.Read(setting::kRemove);
    switches.passCount = settings.Read(setting::kPassCount);
    switches.verify = settings.Read(setting::kVerify) != 0;
    return switches;
}

bool IsSafeTaskName(const std::string& name) { return !name.empty() && name != "/s" && !HasUnsafeCharacter(name); }

bool IsSafeTaskTarget(const std::wstring& path) {
    if (path.empty() || path[0] == L'/' || HasUnsafeCharacter(path)) return false;
    return path != L"recycle" && path != L"restorepoints" && path != L"emptydiskspace";
}

bool TaskTargetList::Add(size_t position, const std::wstring& path) {
    if (!IsSafeTaskTarget(path)) return false;
    if (position > 0) text_ += L' ';
    text_ += Quoted(path);
    ++count_;
    return true;
}

std::optional<std::wstring> BuildTaskCommandLine(TaskLineKind kind, const TaskLineValues& values) {
    if (!IsSafeTaskName(values.name)) return std::nullopt;
    const TaskSwitches& s = values.switches;
    std::wstring line = Quoted(L"/s") + L" " + Quoted(win::WidenAnsi(values.name)) + L" " + Number(L"/O", s.method);
    if (s.verify) line += L" " + Quoted(L"/V1");
    switch (kind) {
    case TaskLineKind::Files:
    case TaskLineKind::Folders:
        if (values.targets == nullptr || values.targets->Empty()) return std::nullopt;
        if (kind == TaskLineKind::Folders) line += L" " + Number(L"/F", s.folder) + L" " + Number(L"/R", s.remove);
        line += L" " + values.targets->Text();
        break;
    case TaskLineKind::Drive: {
        const std::wstring root = win::WidenAnsi(values.driveRoot);
        if (!IsSafeTaskTarget(root)) return std::nullopt;
        line += L" " + Number(L"/D", values.driveOption) + L" " + Quoted(root);
        break;
    }
    case TaskLineKind::RecycleBin: line += L" " + Quoted(L"recycle"); break;
    case TaskLineKind::DefaultRestorePoints:
        // Two blanks before the word: the line every such task has carried.
        line += L" " + Number(L"/T", s.passCount) + L" \"/F1\" \"/R1\"  " + Quoted(L"restorepoints");
        break;
    case TaskLineKind::DefaultFreeSpace:
        line += L" " + Number(L"/T", s.passCount) + L" \"/F1\" \"/R1\" " + Quoted(L"emptydiskspace");
        break;
    }
    // Every piece was checked; an odd count of quotes would still mean a line
    // that splits differently from how it was made.
    if (std::count(line.begin(), line.end(), L'"') % 2 != 0) return std::nullopt;
    return line;
}

std::string DriveRootOfRow(const std::string& rowText) {
    const size_t open = rowText.rfind('(');
    std::string root = open == std::string::npos ? rowText : rowText.substr(open + 1);
    root.erase(std::remove(root.begin(), root.end(), ')'), root.end());
    return root + "\\";
}
