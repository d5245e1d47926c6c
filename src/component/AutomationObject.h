#pragma once
// Base of the component's automation objects: a hand-written IDispatch with
// a fixed table of members (no type library). Callers bind late, by DISPID
// or by the member's name (case-insensitive). A member that fails answers
// DISP_E_EXCEPTION with its description in the EXCEPINFO; nothing escapes.
#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <string>

#include "component/AutomationCall.h"

namespace sched {

struct AutomationMember {
    const wchar_t* name;
    DISPID id;
    bool readable;  // a property get or a method
    bool writable;  // a property put
};

class AutomationObject : public IDispatch {
public:
    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

protected:
    AutomationObject(const AutomationMember* members, size_t count) noexcept;
    virtual ~AutomationObject();

    // Called for a member of the table in a way it takes; throw an
    // AutomationError to fail. result starts empty.
    virtual void Read(DISPID id, const AutomationCall& call, VARIANT& result) = 0;
    virtual void Write(DISPID /*id*/, const AutomationCall& /*call*/) {}

    static void SetText(VARIANT& result, const std::wstring& text);
    static void SetInt32(VARIANT& result, long value);
    static void SetDate(VARIANT& result, DATE value);
    // Hands the object's first reference to the result.
    static void SetObject(VARIANT& result, IDispatch* object);

private:
    const AutomationMember* Find(DISPID id) const noexcept;

    LONG refs_ = 1;
    const AutomationMember* members_;
    size_t count_;
};

}  // namespace sched
