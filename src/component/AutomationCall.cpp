#include "component/AutomationCall.h"

#include "component/AutomationError.h"

namespace sched {

namespace {

class ClearedVariant {
public:
    ClearedVariant() noexcept { ::VariantInit(&value); }
    ~ClearedVariant() { ::VariantClear(&value); }
    ClearedVariant(const ClearedVariant&) = delete;
    ClearedVariant& operator=(const ClearedVariant&) = delete;
    VARIANT value;
};

const wchar_t* KindName(VARTYPE type) {
    switch (type) {
    case VT_BSTR: return L"a string";
    case VT_I4: return L"a number";
    case VT_DATE: return L"a date";
    default: return L"a value";
    }
}

}  // namespace

AutomationCall::AutomationCall(const wchar_t* member, const DISPPARAMS* params) noexcept
    : member_(member), params_(params) {}

UINT AutomationCall::Count() const noexcept {
    if (params_ == nullptr) return 0;
    return params_->cArgs - params_->cNamedArgs;
}

const VARIANT& AutomationCall::Positional(UINT index) const {
    if (index >= Count()) Fail(std::wstring(member_) + L" needs more arguments.", DISP_E_BADPARAMCOUNT);
    // rgvarg holds the named arguments first, then the positional ones last to first.
    return params_->rgvarg[params_->cArgs - 1 - index];
}

const VARIANT& AutomationCall::PutValue() const {
    if (params_ == nullptr || params_->cArgs == 0) Fail(std::wstring(member_) + L" needs a value.", DISP_E_BADPARAMCOUNT);
    for (UINT i = 0; i < params_->cNamedArgs; ++i)
        if (params_->rgdispidNamedArgs[i] == DISPID_PROPERTYPUT) return params_->rgvarg[i];
    return params_->rgvarg[0];
}

void AutomationCall::Coerce(const VARIANT& source, VARTYPE type, VARIANT& out, const wchar_t* what) const {
    // VariantChangeType follows by-reference variants itself.
    const HRESULT hr = ::VariantChangeType(&out, const_cast<VARIANT*>(&source), 0, type);
    if (FAILED(hr))
        Fail(std::wstring(member_) + L" takes " + KindName(type) + L" as its " + what + L".", DISP_E_TYPEMISMATCH);
}

std::wstring AutomationCall::Text(UINT index) const {
    ClearedVariant v;
    Coerce(Positional(index), VT_BSTR, v.value, L"argument");
    return std::wstring(v.value.bstrVal, ::SysStringLen(v.value.bstrVal));
}

long AutomationCall::Int32(UINT index) const {
    ClearedVariant v;
    Coerce(Positional(index), VT_I4, v.value, L"argument");
    return v.value.lVal;
}

DATE AutomationCall::Date(UINT index) const {
    ClearedVariant v;
    Coerce(Positional(index), VT_DATE, v.value, L"argument");
    return v.value.date;
}

std::wstring AutomationCall::PutText() const {
    ClearedVariant v;
    Coerce(PutValue(), VT_BSTR, v.value, L"value");
    return std::wstring(v.value.bstrVal, ::SysStringLen(v.value.bstrVal));
}

long AutomationCall::PutInt32() const {
    ClearedVariant v;
    Coerce(PutValue(), VT_I4, v.value, L"value");
    return v.value.lVal;
}

DATE AutomationCall::PutDate() const {
    ClearedVariant v;
    Coerce(PutValue(), VT_DATE, v.value, L"value");
    return v.value.date;
}

}  // namespace sched
