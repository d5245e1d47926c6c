#pragma once
// Late-bound access to one automation object: every call goes through
// IDispatch::Invoke by DISPID, nothing else of the object is relied on.
//
// Failures never throw and never crash. Operations that do something return
// the HRESULT; a client with no object answers OLE_E_BLANK without calling
// anything. Getters of the derived clients answer a default instead (0, empty
// text or an unbound client) when the call fails or the result has the wrong
// type.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

#include "win/ComPtr.h"

using win::ComPtr;

// A VARIANT that clears itself, freeing whatever string or object it holds.
class AutomationVariant {
public:
    AutomationVariant() noexcept { ::VariantInit(&value_); }
    ~AutomationVariant() { ::VariantClear(&value_); }
    AutomationVariant(const AutomationVariant&) = delete;
    AutomationVariant& operator=(const AutomationVariant&) = delete;
    AutomationVariant(AutomationVariant&& other) noexcept;
    AutomationVariant& operator=(AutomationVariant&& other) noexcept;

    static AutomationVariant Int16(int16_t value);
    static AutomationVariant Int32(int32_t value);
    static AutomationVariant Text(const std::string& value);
    static AutomationVariant Text(const std::wstring& value);
    static AutomationVariant Date(DATE value);

    const VARIANT& Get() const noexcept { return value_; }
    VARIANT* Out() noexcept;  // cleared first, ready to be filled

    // Coerced copies of the held value; the fallback when it does not convert.
    int32_t AsInt32(int32_t fallback) const;
    std::string AsText(const std::string& fallback) const;
    std::wstring AsWideText() const;  // empty when it is no text
    // The object, with the reference this variant held; null if none.
    IDispatch* TakeDispatch();

private:
    VARIANT* Source() const noexcept;

    VARIANT value_;
};

class DispatchClient {
public:
    DispatchClient() = default;
    DispatchClient(DispatchClient&&) noexcept = default;
    DispatchClient& operator=(DispatchClient&&) noexcept = default;

    // Releases the object held before. addRef false hands this client the
    // caller's reference; true takes a reference of its own.
    void AttachDispatch(IDispatch* dispatch, bool addRef);
    void ReleaseDispatch();
    // False when the class is not registered or has no IDispatch; the client
    // is then unbound (an object held before is released either way).
    // COM must be initialised on the calling thread.
    bool CreateDispatch(const char* progId);

    bool IsBound() const { return dispatch_.Valid(); }
    IDispatch* Dispatch() const { return dispatch_.Get(); }

protected:
    // Arguments in call order. The trailing null only keeps the array legal
    // for calls without arguments.
    template <typename... Args>
    HRESULT InvokeGet(DISPID id, AutomationVariant& result, const Args&... args) const {
        const VARIANT* inCallOrder[] = {&args.Get()..., nullptr};
        return Invoke(id, DISPATCH_PROPERTYGET, inCallOrder, sizeof...(Args), result.Out());
    }
    HRESULT InvokePut(DISPID id, const AutomationVariant& value) const;
    template <typename... Args>
    HRESULT InvokeMethod(DISPID id, AutomationVariant& result, const Args&... args) const {
        const VARIANT* inCallOrder[] = {&args.Get()..., nullptr};
        return Invoke(id, DISPATCH_METHOD, inCallOrder, sizeof...(Args), result.Out());
    }

    // The shapes most operations of the derived clients take.
    int32_t GetInt32(DISPID id) const;
    std::string GetText(DISPID id) const;
    HRESULT PutText(DISPID id, const std::string& value) const;
    // Wide, for what names paths: the automation strings carry any script.
    std::wstring GetWideText(DISPID id) const;
    HRESULT PutText(DISPID id, const std::wstring& value) const;
    HRESULT CallMethod(DISPID id) const;

    // A client owning the result's object; unbound when it holds none.
    template <typename Client>
    static Client ObjectFrom(AutomationVariant& result) {
        Client client;
        client.AttachDispatch(result.TakeDispatch(), false);
        return client;
    }

private:
    HRESULT Invoke(DISPID id, WORD flags, const VARIANT* const* argsInCallOrder, UINT count, VARIANT* result) const;

    ComPtr<IDispatch> dispatch_;
};
