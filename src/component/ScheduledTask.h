#pragma once
// One task of the scheduler as an automation object.
#include "component/AutomationObject.h"
#include "component/TaskState.h"

namespace sched {

class ScheduledTask final : public AutomationObject {
public:
    explicit ScheduledTask(SharedTask state);

    static constexpr DISPID kTriggers = 0x68030000;
    static constexpr DISPID kName = 0x68030003;
    static constexpr DISPID kCreator = 0x6803000F;
    static constexpr DISPID kParameters = 0x68030011;
    static constexpr DISPID kApplicationName = 0x68030012;
    static constexpr DISPID kRun = 0x60030014;
    static constexpr DISPID kCommit = 0x60030016;
    static constexpr DISPID kEditProperties = 0x60030017;

private:
    void Read(DISPID id, const AutomationCall& call, VARIANT& result) override;
    void Write(DISPID id, const AutomationCall& call) override;

    void SetApplication(const std::wstring& path);
    void EditProperties();

    SharedTask state_;
};

}  // namespace sched
