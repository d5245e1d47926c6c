#pragma once
// The arguments of one IDispatch::Invoke call, read in call order and
// coerced to the kind a member takes, whatever scripts send (VT_I2 or VT_I4,
// doubles, strings, by-reference variants). A missing or unconvertible
// argument throws an AutomationError naming the member.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace sched {

class AutomationCall {
public:
    AutomationCall(const wchar_t* member, const DISPPARAMS* params) noexcept;

    const wchar_t* member() const noexcept { return member_; }
    UINT Count() const noexcept;  // positional arguments, without a put's value

    std::wstring Text(UINT index) const;
    long Int32(UINT index) const;
    DATE Date(UINT index) const;

    // The value of a property put.
    std::wstring PutText() const;
    long PutInt32() const;
    DATE PutDate() const;

private:
    const VARIANT& Positional(UINT index) const;
    const VARIANT& PutValue() const;
    void Coerce(const VARIANT& source, VARTYPE type, VARIANT& out, const wchar_t* what) const;

    const wchar_t* member_;
    const DISPPARAMS* params_;
};

}  // namespace sched
