#include "support/FakeTaskScheduler.h"

#include <algorithm>

namespace {

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kMethod = DISPATCH_METHOD;

void ReturnText(VARIANT* result, const std::string& text) {
    if (!result) return;
    const std::wstring wide(text.begin(), text.end());
    result->vt = VT_BSTR;
    result->bstrVal = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

void ReturnObject(VARIANT* result, IDispatch* object) {
    if (!result) return;
    object->AddRef();
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}

int IndexOf(const VARIANT* v) {
    VARIANT converted;
    ::VariantInit(&converted);
    if (FAILED(::VariantChangeType(&converted, const_cast<VARIANT*>(v), 0, VT_I4))) return -1;
    return converted.lVal;
}

}  // namespace

std::string FakeText(const VARIANT* v) {
    if (!v || v->vt != VT_BSTR || !v->bstrVal) return "(not text)";
    std::string text;
    for (UINT i = 0; i < ::SysStringLen(v->bstrVal); ++i) text += static_cast<char>(v->bstrVal[i]);
    return text;
}

HRESULT FakeObject::QueryInterface(REFIID riid, void** out) {
    *out = (riid == IID_IUnknown || riid == IID_IDispatch) ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG FakeObject::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT FakeObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                           UINT*) {
    const auto failure = failures_.find({id, flags});
    if (failure != failures_.end()) return failure->second;
    std::vector<VARIANT*> args;  // in call order
    for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
    return Call(id, flags, args, result);
}

HRESULT FakeTrigger::Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT*) {
    if (flags != kPut || args.size() != 1) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
    case 0x68030007: type = IndexOf(args[0]); return S_OK;
    case 0x68030003: startDate = args[0]->vt == VT_DATE ? args[0]->date : -1; return S_OK;
    case 0x68030000: startTime = args[0]->vt == VT_DATE ? args[0]->date : -1; return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

FakeTriggerList::~FakeTriggerList() {
    for (FakeTrigger* trigger : triggers) trigger->Release();
}

HRESULT FakeTriggerList::Call(DISPID id, WORD flags, const std::vector<VARIANT*>&, VARIANT* result) {
    if (id != 0x60030002 || flags != kMethod) return DISP_E_MEMBERNOTFOUND;
    triggers.push_back(new FakeTrigger);
    ReturnObject(result, triggers.back());
    return S_OK;
}

FakeTask::FakeTask() : triggerList(new FakeTriggerList) {}

FakeTask::~FakeTask() { triggerList->Release(); }

HRESULT FakeTask::Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) {
    if (flags == kGet && id == 0x68030003) return ReturnText(result, name), S_OK;
    if (flags == kGet && id == 0x6803000F) return ReturnText(result, creator), S_OK;
    if (flags == kGet && id == 0x68030011) return ReturnText(result, parameters), S_OK;
    if (flags == kGet && id == 0x68030000) return ReturnObject(result, triggerList), S_OK;
    if (flags == kPut && args.size() == 1) {
        if (id == 0x6803000F) return creator = FakeText(args[0]), S_OK;
        if (id == 0x68030012) return applicationName = FakeText(args[0]), S_OK;
        if (id == 0x68030011) return parameters = FakeText(args[0]), S_OK;
    }
    if (flags == kMethod) {
        if (id == 0x60030014) return ++runs, S_OK;
        if (id == 0x60030017) return ++propertyWindows, S_OK;
        if (id == 0x60030016) {
            commitArgument = args.size() == 1 ? FakeText(args[0]) : "(arguments: " + std::to_string(args.size()) + ")";
            committed = true;
            ++commits;
            return S_OK;
        }
    }
    return DISP_E_MEMBERNOTFOUND;
}

FakeTaskScheduler::~FakeTaskScheduler() {
    for (FakeTask* task : tasks) task->Release();
}

FakeTask& FakeTaskScheduler::AddExisting(const std::string& name, const std::string& creator,
                                         const std::string& parameters) {
    FakeTask* task = new FakeTask;
    task->name = name;
    task->creator = creator;
    task->parameters = parameters;
    task->committed = true;
    tasks.push_back(task);
    return *task;
}

FakeTask* FakeTaskScheduler::Find(const std::string& name) const {
    for (FakeTask* task : tasks)
        if (task->name == name) return task;
    return nullptr;
}

HRESULT FakeTaskScheduler::Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) {
    if (id == 0x60030003 && flags == kMethod) return ++refreshes, S_OK;
    if (id == 0x68030000 && flags == kGet) {
        if (result) result->vt = VT_I4, result->lVal = static_cast<LONG>(tasks.size());
        return S_OK;
    }
    if (id == 0 && flags == kGet && args.size() == 1) {
        const int index = IndexOf(args[0]);
        if (index < 1 || static_cast<size_t>(index) > tasks.size()) return DISP_E_BADINDEX;
        ReturnObject(result, tasks[static_cast<size_t>(index) - 1]);
        return S_OK;
    }
    if (id == 0x60030002 && flags == kMethod && args.size() == 1) {
        ++adds;
        const std::string name = FakeText(args[0]);
        if (Find(name)) return duplicateAdd;
        FakeTask* task = new FakeTask;
        task->name = name;
        for (const auto& failure : taskFailures) task->Fail(failure.first.first, failure.first.second, failure.second);
        tasks.push_back(task);
        if (handOutAddedTask) ReturnObject(result, task);
        return S_OK;
    }
    if (id == 0x60030004 && flags == kMethod && args.size() == 1) {
        const int index = IndexOf(args[0]);
        if (index < 1 || static_cast<size_t>(index) > tasks.size()) return DISP_E_BADINDEX;
        ++removes;
        tasks[static_cast<size_t>(index) - 1]->Release();
        tasks.erase(tasks.begin() + (index - 1));
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}
