#include "component/SystemTasks.h"

SystemTasks::SystemTasks() {
    ITaskScheduler* raw = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                     reinterpret_cast<void**>(&raw))))
        scheduler_.Reset(raw);
}

bool SystemTasks::MakeForeign(const std::wstring& name, const std::wstring& creator) {
    IUnknown* raw = nullptr;
    if (FAILED(scheduler_.Get()->NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask, &raw))) return false;
    ComPtr<ITask> task(static_cast<ITask*>(raw));
    task.Get()->SetApplicationName(L"C:\\windows\\notepad.exe");
    task.Get()->SetCreator(creator.c_str());
    IPersistFile* file = nullptr;
    if (FAILED(task.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) return false;
    ComPtr<IPersistFile> owned(file);
    return SUCCEEDED(owned.Get()->Save(nullptr, TRUE));
}

void SystemTasks::Delete(const std::wstring& name) const {
    for (int tried = 0; tried < 60; ++tried) {
        if (scheduler_.Get()->Delete(name.c_str()) != HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION)) return;
        ::Sleep(50);
    }
}

ComPtr<ITask> SystemTasks::Open(const std::wstring& name) const {
    IUnknown* raw = nullptr;
    if (FAILED(scheduler_.Get()->Activate(name.c_str(), IID_ITask, &raw))) return ComPtr<ITask>();
    return ComPtr<ITask>(static_cast<ITask*>(raw));
}

std::vector<std::wstring> SystemTasks::Names() const {
    std::vector<std::wstring> names;
    IEnumWorkItems* raw = nullptr;
    if (FAILED(scheduler_.Get()->Enum(&raw))) return names;
    ComPtr<IEnumWorkItems> items(raw);
    LPWSTR* batch = nullptr;
    ULONG count = 0;
    while (items.Get()->Next(1, &batch, &count) == S_OK && count == 1) {
        names.push_back(batch[0]);
        ::CoTaskMemFree(batch[0]);
        ::CoTaskMemFree(batch);
    }
    return names;
}

std::wstring SystemTasks::Text(ITask& task, HRESULT (STDMETHODCALLTYPE ITask::*getter)(LPWSTR*)) {
    LPWSTR text = nullptr;
    if (FAILED((task.*getter)(&text))) return L"<failed>";
    std::wstring result = text != nullptr ? text : L"";
    ::CoTaskMemFree(text);
    return result;
}

TASK_TRIGGER SystemTasks::FirstTrigger(ITask& task) {
    TASK_TRIGGER value{};
    ITaskTrigger* raw = nullptr;
    WORD count = 0;
    if (FAILED(task.GetTriggerCount(&count)) || count == 0 || FAILED(task.GetTrigger(0, &raw))) return value;
    ComPtr<ITaskTrigger> trigger(raw);
    value.cbTriggerSize = sizeof value;
    if (FAILED(trigger.Get()->GetTrigger(&value))) value.cbTriggerSize = 0;
    return value;
}

CallAnswer Call(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args) {
    CallAnswer answer;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), flags == DISPATCH_PROPERTYPUT ? &named : nullptr,
                      static_cast<UINT>(reversed.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    EXCEPINFO info{};
    answer.hr = object->Invoke(id, IID_NULL, 0, flags, &params, answer.result.Out(), &info, nullptr);
    if (info.bstrDescription != nullptr) {
        const std::wstring wide(info.bstrDescription, ::SysStringLen(info.bstrDescription));
        answer.description.assign(wide.begin(), wide.end());  // the tests' texts are ASCII
    }
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrHelpFile);
    for (VARIANT& arg : args) ::VariantClear(&arg);
    return answer;
}

VARIANT TextArg(const wchar_t* text) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(text);
    return v;
}

VARIANT IntArg(long value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}
