#include "app/SchedulerComponent.h"

#include <windows.h>

#include "scheduler/TaskSchedulerClient.h"
#include "win/UniqueResource.h"

bool SchedulerComponentPresent(const std::string& systemFolder, const char* classKey) {
    HKEY rawKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, classKey, 0, KEY_ALL_ACCESS, &rawKey) != ERROR_SUCCESS) return false;
    win::UniqueRegKey key(rawKey);
    if (systemFolder.empty()) return false;
    WIN32_FIND_DATAA found;
    win::UniqueFindHandle file(::FindFirstFileA((systemFolder + "\\Sched.dll").c_str(), &found));
    return file.Valid();
}

std::unique_ptr<TaskSchedulerClient> BindSchedulerClient(const char* progId) {
    auto scheduler = std::make_unique<TaskSchedulerClient>();
    if (!scheduler->CreateDispatch(progId)) return nullptr;
    return scheduler;
}
