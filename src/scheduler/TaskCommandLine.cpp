#include "scheduler/TaskCommandLine.h"

#include <algorithm>

#include "engine/Settings.h"
#include "engine/SettingsStore.h"

namespace {

bool HasUnsafeCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return c == '"' || u < 0x20 || u == 0x7F;
    });
}

std::string Quoted(const std::string& piece) { return "\"" + piece + "\""; }

std::string Number(const char* prefix, int32_t value) { return Quoted(prefix + std::to_string(value)); }

}  // namespace

TaskSwitches ReadTaskSwitches(const SettingsStore& settings) {
    TaskSwitches switches;
    switches.method = settings.Read(setting::kMethod);
    switches.folder = settings.Read(setting::kFolder);
    switches.remove = settings.Read(setting::kRemove);
    switches.passCount = settings.Read(setting::kPassCount);
    return switches;
}

bool IsSafeTaskName(const std::string& name) { return !name.empty() && name != "/s" && !HasUnsafeCharacter(name); }

bool IsSafeTaskTarget(const std::string& path) {
    if (path.empty() || path[0] == '/' || HasUnsafeCharacter(path)) return false;
    return path != "recycle" && path != "restorepoints" && path != "emptydiskspace";
}

bool TaskTargetList::Add(size_t position, const std::string& path) {
    if (!IsSafeTaskTarget(path)) return false;
    if (position > 0) text_ += ' ';
    text_ += Quoted(path);
    ++count_;
    return true;
}

std::optional<std::string> BuildTaskCommandLine(TaskLineKind kind, const TaskLineValues& values) {
    if (!IsSafeTaskName(values.name)) return std::nullopt;
    const TaskSwitches& s = values.switches;
    std::string line = Quoted("/s") + " " + Quoted(values.name) + " " + Number("/O", s.method);
    switch (kind) {
    case TaskLineKind::Files:
    case TaskLineKind::Folders:
        if (values.targets == nullptr || values.targets->Empty()) return std::nullopt;
        if (kind == TaskLineKind::Folders) line += " " + Number("/F", s.folder) + " " + Number("/R", s.remove);
        line += " " + values.targets->Text();
        break;
    case TaskLineKind::Drive:
        if (!IsSafeTaskTarget(values.driveRoot)) return std::nullopt;
        line += " " + Number("/D", values.driveOption) + " " + Quoted(values.driveRoot);
        break;
    case TaskLineKind::RecycleBin: line += " " + Quoted("recycle"); break;
    case TaskLineKind::DefaultRestorePoints:
        // Two blanks before the word: the line every such task has carried.
        line += " " + Number("/T", s.passCount) + " \"/F1\" \"/R1\"  " + Quoted("restorepoints");
        break;
    case TaskLineKind::DefaultFreeSpace:
        line += " " + Number("/T", s.passCount) + " \"/F1\" \"/R1\" " + Quoted("emptydiskspace");
        break;
    }
    // Every piece was checked; an odd count of quotes would still mean a line
    // that splits differently from how it was made.
    if (std::count(line.begin(), line.end(), '"') % 2 != 0) return std::nullopt;
    return line;
}

std::string DriveRootOfRow(const std::string& rowText) {
    const size_t open = rowText.rfind('(');
    std::string root = open == std::string::npos ? rowText : rowText.substr(open + 1);
    root.erase(std::remove(root.begin(), root.end(), ')'), root.end());
    return root + "\\";
}
