#pragma once
// Whether the outside task-scheduling component is installed: its class is
// registered and its library lies in the system folder.
#include <memory>
#include <string>

constexpr char kSchedulerClassKey[] = "CLSID\\{CD06F30A-1794-4862-AA8A-3D87A446AC11}";
constexpr char kSchedulerProgId[] = "TaskScheduler.Schedule";

bool SchedulerComponentPresent(const std::string& systemFolder, const char* classKey = kSchedulerClassKey);

class TaskSchedulerClient;
// A collection client bound to a new instance of the class, or none when the
// instance cannot be made: a client bound to nothing is never handed out.
std::unique_ptr<TaskSchedulerClient> BindSchedulerClient(const char* progId = kSchedulerProgId);
