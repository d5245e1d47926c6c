#include "component/AutomationObject.h"

#include <new>

#include "component/AutomationError.h"
#include "component/ComponentModule.h"

namespace sched {

namespace {

void FillException(EXCEPINFO& info, const AutomationError& error) {
    ::ZeroMemory(&info, sizeof info);
    info.bstrSource = ::SysAllocString(L"TaskScheduler.Schedule");
    info.bstrDescription = ::SysAllocStringLen(error.description.data(), static_cast<UINT>(error.description.size()));
    info.scode = FAILED(error.code) ? error.code : E_FAIL;
}

}  // namespace

AutomationObject::AutomationObject(const AutomationMember* members, size_t count) noexcept
    : members_(members), count_(count) {
    ComponentModule::Instance().AddObject();
}

AutomationObject::~AutomationObject() { ComponentModule::Instance().RemoveObject(); }

HRESULT STDMETHODCALLTYPE AutomationObject::QueryInterface(REFIID riid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AutomationObject::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

ULONG STDMETHODCALLTYPE AutomationObject::Release() {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE AutomationObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE AutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE AutomationObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                                          DISPID* ids) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        // Only the member itself has a name here; named arguments are not taken.
        if (i > 0) { hr = DISP_E_UNKNOWNNAME; continue; }
        for (size_t m = 0; m < count_; ++m)
            if (names[i] != nullptr && ::lstrcmpiW(names[i], members_[m].name) == 0) ids[i] = members_[m].id;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

const AutomationMember* AutomationObject::Find(DISPID id) const noexcept {
    for (size_t m = 0; m < count_; ++m)
        if (members_[m].id == id) return &members_[m];
    return nullptr;
}

HRESULT STDMETHODCALLTYPE AutomationObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (argumentError != nullptr) *argumentError = 0;
    const AutomationMember* member = Find(id);
    if (member == nullptr) return DISP_E_MEMBERNOTFOUND;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;

    VARIANT answer;
    ::VariantInit(&answer);
    // Keep this object alive even if the member drops the caller's last other reference.
    AddRef();
    HRESULT hr = S_OK;
    try {
        const AutomationCall call(member->name, params);
        if (put && !member->writable) Fail(std::wstring(member->name) + L" cannot be set.", DISP_E_MEMBERNOTFOUND);
        if (!put && !member->readable) Fail(std::wstring(member->name) + L" can only be set.", DISP_E_MEMBERNOTFOUND);
        if (put)
            Write(id, call);
        else
            Read(id, call, answer);
    } catch (const AutomationError& error) {
        hr = DISP_E_EXCEPTION;
        if (exception != nullptr)
            FillException(*exception, error);
        else
            hr = FAILED(error.code) ? error.code : E_FAIL;
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (SUCCEEDED(hr) && result != nullptr) {
        ::VariantInit(result);
        *result = answer;  // the result owns what the answer held
    } else {
        ::VariantClear(&answer);
    }
    Release();
    return hr;
}

void AutomationObject::SetText(VARIANT& result, const std::wstring& text) {
    ::VariantClear(&result);
    BSTR value = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (value == nullptr) throw std::bad_alloc();
    result.vt = VT_BSTR;
    result.bstrVal = value;
}

void AutomationObject::SetInt32(VARIANT& result, long value) {
    ::VariantClear(&result);
    result.vt = VT_I4;
    result.lVal = value;
}

void AutomationObject::SetDate(VARIANT& result, DATE value) {
    ::VariantClear(&result);
    result.vt = VT_DATE;
    result.date = value;
}

void AutomationObject::SetObject(VARIANT& result, IDispatch* object) {
    ::VariantClear(&result);
    result.vt = VT_DISPATCH;
    result.pdispVal = object;
}

}  // namespace sched
