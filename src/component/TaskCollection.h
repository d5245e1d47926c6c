#pragma once
// The collection of every task of the system's scheduler ("TaskScheduler.Schedule").
// Indexes are 1-based over a list sorted by name, taken when the collection
// is made and at every Refresh; Remove takes its task out of that list.
#include <windows.h>
#include <mstask.h>

#include <string>
#include <vector>

#include "component/AutomationObject.h"
#include "component/ComHandles.h"

namespace sched {

class TaskCollection final : public AutomationObject {
public:
    // A new collection on the system's scheduler, answered as riid.
    static HRESULT Create(REFIID riid, void** out);

    static constexpr DISPID kItem = 0;
    static constexpr DISPID kAdd = 0x60030002;
    static constexpr DISPID kRefresh = 0x60030003;
    static constexpr DISPID kRemove = 0x60030004;
    static constexpr DISPID kCount = 0x68030000;

private:
    explicit TaskCollection(ComPtr<ITaskScheduler> scheduler);

    void Read(DISPID id, const AutomationCall& call, VARIANT& result) override;

    void Refresh();
    std::vector<std::wstring> ListNames() const;
    size_t Position(const AutomationCall& call) const;  // 0-based, checked
    IDispatch* Item(size_t position) const;
    IDispatch* Add(const std::wstring& name) const;
    void Remove(size_t position);

    ComPtr<ITaskScheduler> scheduler_;
    std::vector<std::wstring> names_;
};

}  // namespace sched
