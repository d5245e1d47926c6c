#pragma once
// One task of the scheduling component. Failure behaviour as in
// DispatchClient.h: getters answer empty text or an unbound client.
#include <string>

#include "scheduler/DispatchClient.h"
#include "scheduler/TriggerClient.h"

class TaskClient : public DispatchClient {
public:
    std::string Name() const;
    std::string Creator() const;
    HRESULT SetCreator(const std::string& creator);
    HRESULT SetApplicationName(const std::string& path);
    // The run-mode command line, wide: it names the task's paths.
    std::wstring Parameters() const;
    HRESULT SetParameters(const std::wstring& commandLine);
    HRESULT SetParameters(const std::string& codePageCommandLine);
    TriggerListClient Triggers() const;
    // The same with the component's answer; list stays unbound when none was given.
    HRESULT Triggers(TriggerListClient& list) const;
    HRESULT Run();
    // The component wants one string; it is always sent empty.
    HRESULT Commit(const std::string& reserved = std::string());
    // Opens the component's own property window for the task.
    HRESULT EditProperties();
};
