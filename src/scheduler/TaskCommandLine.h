#pragma once
// The run-mode command lines that scheduled tasks carry. Every piece goes
// between double quotes, and the run mode splits on them, so a piece holding
// a quote (or a name the run mode would take for a switch) could add, drop or
// change a target or a switch: such pieces are refused, never written.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class SettingsStore;

// The settings a task's switches carry, read when the line is built.
struct TaskSwitches {
    int32_t method = 0;
    int32_t folder = 0;
    int32_t remove = 0;
    int32_t passCount = 3;
    bool verify = false;  // "/V1" after "/O": older versions skip a switch they do not know
};
TaskSwitches ReadTaskSwitches(const SettingsStore& settings);

// A name the run mode reads back exactly as the task name: not empty, no
// double quote, no control character (a translated "#" is a line break), and
// not "/s", which the run mode would take for the switch again.
bool IsSafeTaskName(const std::string& name);
// A path the run mode reads back exactly as one target: not empty, no double
// quote or control character, not beginning with "/" (a switch) and none of
// the run mode's target words.
// Wide, as the task carries it: a name of any script is safe.
bool IsSafeTaskTarget(const std::wstring& path);

// The quoted paths of a task in list order. The entry at position 0 of the
// page's list is written as "path", every later one as a blank and "path",
// so a list whose first entry was left out begins with a blank.
class TaskTargetList {
public:
    // False, and nothing added, for a path that is no safe target.
    bool Add(size_t position, const std::wstring& path);
    const std::wstring& Text() const { return text_; }
    size_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }

private:
    std::wstring text_;
    size_t count_ = 0;
};

enum class TaskLineKind {
    Files,                 // a list of files
    Folders,               // a list of folders, or of restore-point folders
    Drive,                 // the free space of one drive
    RecycleBin,
    DefaultRestorePoints,  // every restore point, daily
    DefaultFreeSpace,      // the free space of every drive, daily
};

struct TaskLineValues {
    std::string name;                         // in the code page, as the name dialog gives it
    TaskSwitches switches;
    const TaskTargetList* targets = nullptr;  // Files and Folders
    int32_t driveOption = 0;                  // Drive
    std::string driveRoot;                    // Drive: "C:\"
};

// The line, or nothing when a piece is unsafe, a list is missing or empty, or
// the result would not split back into exactly its pieces. Wide, as the
// component's automation strings carry it.
std::optional<std::wstring> BuildTaskCommandLine(TaskLineKind kind, const TaskLineValues& values);

// The drive root of a Shred Drive row: the text after its last "(" with every
// ")" removed, then a backslash ("Local Disk (C:)" gives "C:\").
std::string DriveRootOfRow(const std::string& rowText);
