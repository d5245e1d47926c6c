#include "scheduler/DispatchClient.h"

#include <utility>
#include <vector>

#include "scheduler/AutomationText.h"

AutomationVariant::AutomationVariant(AutomationVariant&& other) noexcept : value_(other.value_) {
    ::VariantInit(&other.value_);
}

AutomationVariant& AutomationVariant::operator=(AutomationVariant&& other) noexcept {
    if (this != &other) {
        ::VariantClear(&value_);
        value_ = other.value_;
        ::VariantInit(&other.value_);
    }
    return *this;
}

AutomationVariant AutomationVariant::Int16(int16_t value) {
    AutomationVariant v;
    v.value_.vt = VT_I2;
    v.value_.iVal = value;
    return v;
}

AutomationVariant AutomationVariant::Int32(int32_t value) {
    AutomationVariant v;
    v.value_.vt = VT_I4;
    v.value_.lVal = value;
    return v;
}

AutomationVariant AutomationVariant::Text(const std::string& value) {
    AutomationVariant v;
    v.value_.vt = VT_BSTR;
    v.value_.bstrVal = BstrFromSystemText(value).Release();
    return v;
}

AutomationVariant AutomationVariant::Text(const std::wstring& value) {
    AutomationVariant v;
    v.value_.vt = VT_BSTR;
    v.value_.bstrVal = ::SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return v;
}

AutomationVariant AutomationVariant::Date(DATE value) {
    AutomationVariant v;
    v.value_.vt = VT_DATE;
    v.value_.date = value;
    return v;
}

VARIANT* AutomationVariant::Out() noexcept {
    ::VariantClear(&value_);
    return &value_;
}

// VariantChangeType only reads its source; the header just lacks the const.
VARIANT* AutomationVariant::Source() const noexcept { return const_cast<VARIANT*>(&value_); }

int32_t AutomationVariant::AsInt32(int32_t fallback) const {
    AutomationVariant converted;
    if (FAILED(::VariantChangeType(converted.Out(), Source(), 0, VT_I4))) return fallback;
    return converted.value_.lVal;
}

std::string AutomationVariant::AsText(const std::string& fallback) const {
    AutomationVariant converted;
    if (FAILED(::VariantChangeType(converted.Out(), Source(), 0, VT_BSTR))) return fallback;
    return SystemTextFromBstr(converted.value_.bstrVal);
}

std::wstring AutomationVariant::AsWideText() const {
    AutomationVariant converted;
    if (FAILED(::VariantChangeType(converted.Out(), Source(), 0, VT_BSTR)) || converted.value_.bstrVal == nullptr)
        return std::wstring();
    return std::wstring(converted.value_.bstrVal, ::SysStringLen(converted.value_.bstrVal));
}

IDispatch* AutomationVariant::TakeDispatch() {
    // In place: an IUnknown or a by-reference object is asked for IDispatch.
    if (value_.vt != VT_DISPATCH && FAILED(::VariantChangeType(&value_, &value_, 0, VT_DISPATCH))) return nullptr;
    IDispatch* dispatch = value_.pdispVal;
    value_.vt = VT_EMPTY;
    return dispatch;
}

void DispatchClient::AttachDispatch(IDispatch* dispatch, bool addRef) {
    // First, so re-attaching the object already held keeps it alive.
    if (addRef && dispatch) dispatch->AddRef();
    dispatch_.Reset(dispatch);
}

void DispatchClient::ReleaseDispatch() { dispatch_.Reset(); }

bool DispatchClient::CreateDispatch(const char* progId) {
    dispatch_.Reset();
    if (!progId) return false;
    const UniqueBstr wideProgId = BstrFromSystemText(progId);
    CLSID classId;
    if (!wideProgId || FAILED(::CLSIDFromProgID(wideProgId.Get(), &classId))) return false;
    IUnknown* raw = nullptr;
    if (FAILED(::CoCreateInstance(classId, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&raw))))
        return false;
    const ComPtr<IUnknown> object(raw);
    IDispatch* dispatch = nullptr;
    if (FAILED(object.Get()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch)
        return false;
    dispatch_.Reset(dispatch);
    return true;
}

HRESULT DispatchClient::InvokePut(DISPID id, const AutomationVariant& value) const {
    const VARIANT* inCallOrder[] = {&value.Get()};
    return Invoke(id, DISPATCH_PROPERTYPUT, inCallOrder, 1, nullptr);
}

int32_t DispatchClient::GetInt32(DISPID id) const {
    AutomationVariant result;
    return SUCCEEDED(InvokeGet(id, result)) ? result.AsInt32(0) : 0;
}

std::string DispatchClient::GetText(DISPID id) const {
    AutomationVariant result;
    return SUCCEEDED(InvokeGet(id, result)) ? result.AsText(std::string()) : std::string();
}

HRESULT DispatchClient::PutText(DISPID id, const std::string& value) const {
    return InvokePut(id, AutomationVariant::Text(value));
}

std::wstring DispatchClient::GetWideText(DISPID id) const {
    AutomationVariant result;
    return SUCCEEDED(InvokeGet(id, result)) ? result.AsWideText() : std::wstring();
}

HRESULT DispatchClient::PutText(DISPID id, const std::wstring& value) const {
    return InvokePut(id, AutomationVariant::Text(value));
}

HRESULT DispatchClient::CallMethod(DISPID id) const {
    AutomationVariant ignored;
    return InvokeMethod(id, ignored);
}

HRESULT DispatchClient::Invoke(DISPID id, WORD flags, const VARIANT* const* argsInCallOrder, UINT count,
                               VARIANT* result) const {
    if (!dispatch_) return OLE_E_BLANK;
    // Automation takes the arguments last first. The copies are shallow: the
    // callee only reads them and the caller's variants still own their strings.
    std::vector<VARIANT> reversed;
    reversed.reserve(count);
    for (UINT i = count; i > 0; --i) reversed.push_back(*argsInCallOrder[i - 1]);
    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params = {};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = count;
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &namedPut;
        params.cNamedArgs = 1;
    }
    return dispatch_.Get()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}
