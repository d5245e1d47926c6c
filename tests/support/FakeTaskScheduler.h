#pragma once
// An in-process stand-in for the scheduling component: the task collection,
// its tasks, their trigger lists and triggers, reached by the same DISPIDs
// as the real one. Any operation can be told to fail, and every call is
// counted, so tests see what was made, what was kept and what was asked.
#include <windows.h>
#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

class FakeObject : public IDispatch {
public:
    virtual ~FakeObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

    // Makes the call of this DISPID with these flags answer hr.
    void Fail(DISPID id, WORD flags, HRESULT hr) { failures_[{id, flags}] = hr; }

protected:
    virtual HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) = 0;

private:
    ULONG refs_ = 1;
    std::map<std::pair<DISPID, WORD>, HRESULT> failures_;
};

struct FakeTrigger final : FakeObject {
    int type = 0;
    DATE startDate = 0, startTime = 0;

protected:
    HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) override;
};

struct FakeTriggerList final : FakeObject {
    ~FakeTriggerList() override;
    std::vector<FakeTrigger*> triggers;

protected:
    HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) override;
};

struct FakeTask final : FakeObject {
    FakeTask();
    ~FakeTask() override;
    std::string name, creator, applicationName, parameters;
    bool committed = false;
    int commits = 0, propertyWindows = 0, runs = 0;
    std::string commitArgument = "(none)";
    FakeTriggerList* triggerList;

protected:
    HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) override;
};

class FakeTaskScheduler final : public FakeObject {
public:
    ~FakeTaskScheduler() override;

    // A task made elsewhere, already committed.
    FakeTask& AddExisting(const std::string& name, const std::string& creator = "Other",
                          const std::string& parameters = std::string());
    FakeTask* Find(const std::string& name) const;
    size_t Count() const { return tasks.size(); }

    std::vector<FakeTask*> tasks;  // in collection order, one reference each
    int refreshes = 0, adds = 0, removes = 0;
    // Add of a name already held fails, as a real collection would.
    HRESULT duplicateAdd = E_INVALIDARG;
    // False: Add makes the task but answers no object for it.
    bool handOutAddedTask = true;
    // Makes the next tasks' call of this DISPID and flags answer hr.
    std::map<std::pair<DISPID, WORD>, HRESULT> taskFailures;

protected:
    HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) override;
};

std::string FakeText(const VARIANT* v);
