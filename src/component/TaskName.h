#pragma once
// What a task name may be. The scheduler keeps each task as the file
// "<name>.job" in its folder, so a name must make a plain file name there.
#include <string>

namespace sched {

constexpr size_t kMaxTaskNameLength = 200;  // keeps the task's file path within MAX_PATH

// Empty when the name is usable; otherwise why not, for the caller to see.
std::wstring TaskNameProblem(const std::wstring& name);

// Names as the scheduler lists them end in ".job"; a task is named without it.
std::wstring TaskNameFromFileName(const std::wstring& fileName);

}  // namespace sched
