#include "engine/WmiRestorePointSource.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemcli.h>

#include "engine/RestorePointText.h"

namespace {

const CLSID kWbemLocator = {0x4590f811, 0x1d3a, 0x11d0, {0x89, 0x1f, 0x00, 0xaa, 0x00, 0x4b, 0x2e, 0x24}};
constexpr long kQueryFlags = WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY;
constexpr long kWaitForever = -1;  // WBEM_INFINITE, which does not fit a long as an enumerator

// Owns one reference to a COM object.
template <typename T>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { Reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    T* operator->() const { return object_; }
    T* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For a call that hands out a new reference.
    T** Put() {
        Reset();
        return &object_;
    }
    void Reset() {
        if (object_ != nullptr) object_->Release();
        object_ = nullptr;
    }

private:
    T* object_ = nullptr;
};

class Bstr {
public:
    explicit Bstr(const wchar_t* text) : text_(::SysAllocString(text)) {}
    ~Bstr() { ::SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR Get() const { return text_; }

private:
    BSTR text_;
};

class Variant {
public:
    Variant() { ::VariantInit(&value_); }
    ~Variant() { ::VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* Put() {
        ::VariantClear(&value_);
        return &value_;
    }
    const VARIANT& Get() const { return value_; }

private:
    VARIANT value_;
};

// This thread's use of COM for the query. A thread already in another
// apartment (RPC_E_CHANGED_MODE) works in that one; only a successful
// initialisation, S_FALSE included, is balanced.
class ComUse {
public:
    ComUse() : result_(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComUse() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

bool Fail(std::string& failure, const char* text) {
    failure = text;
    return false;
}

std::string Text(const Variant& value) {
    const VARIANT& v = value.Get();
    if (v.vt != VT_BSTR || v.bstrVal == nullptr) return std::string();
    const int wide = static_cast<int>(::SysStringLen(v.bstrVal));
    if (wide == 0) return std::string();
    const int length = ::WideCharToMultiByte(CP_ACP, 0, v.bstrVal, wide, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, v.bstrVal, wide, &text[0], length, nullptr, nullptr);
    return text;
}

bool IsNumber(const Variant& value) {
    switch (value.Get().vt) {
    case VT_I4:
    case VT_UI4:
    case VT_I2:
    case VT_UI2:
    case VT_UI1: return true;
    default: return false;
    }
}

// The low 16 bits, whatever integer form the provider chose.
int16_t Low16(const Variant& value) {
    const VARIANT& v = value.Get();
    switch (v.vt) {
    case VT_I4: return static_cast<int16_t>(v.lVal);
    case VT_UI4: return static_cast<int16_t>(v.ulVal);
    case VT_I2: return v.iVal;
    case VT_UI2: return static_cast<int16_t>(v.uiVal);
    case VT_UI1: return static_cast<int16_t>(v.bVal);
    default: return 0;
    }
}

// False for an object without a number or a time: no restore point, but
// what Wine answers the class with.
bool ReadRecord(IWbemClassObject& point, RestorePointRecord& record) {
    Variant description, creationTime, sequenceNumber, type;
    point.Get(L"Description", 0, description.Put(), nullptr, nullptr);
    point.Get(L"CreationTime", 0, creationTime.Put(), nullptr, nullptr);
    point.Get(L"SequenceNumber", 0, sequenceNumber.Put(), nullptr, nullptr);
    point.Get(L"RestorePointType", 0, type.Put(), nullptr, nullptr);
    if (creationTime.Get().vt != VT_BSTR || !IsNumber(sequenceNumber)) return false;

    record.description = Text(description);
    record.creationTime = RestorePointTimeText(Text(creationTime));
    record.sequenceNumber = Low16(sequenceNumber);
    record.type = Low16(type);
    return true;
}

}  // namespace

bool WmiRestorePointSource::Query(std::vector<RestorePointRecord>& records, std::string& failure) {
    const ComUse com;  // first: every object below is released before COM goes
    if (!com.Usable()) return Fail(failure, "Failed to initialize COM library. ");

    const HRESULT security =
        ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                               nullptr, EOAC_NONE, nullptr);
    // A process sets its security once; an earlier setting (start-up's own
    // COM use, or a previous query) stands.
    if (FAILED(security) && security != RPC_E_TOO_LATE) return Fail(failure, "Failed to initialize security. ");

    ComPointer<IWbemLocator> locator;
    if (FAILED(::CoCreateInstance(kWbemLocator, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWbemLocator),
                                  reinterpret_cast<void**>(locator.Put()))))
        return Fail(failure, "Failed to create IWbemLocator object. ");

    ComPointer<IWbemServices> services;
    const Bstr space(L"ROOT\\DEFAULT");
    if (FAILED(locator->ConnectServer(space.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.Put())))
        return Fail(failure, "Could not connect.");

    if (FAILED(::CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                   RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE)))
        return Fail(failure, "Could not set proxy blanket.");

    ComPointer<IEnumWbemClassObject> points;
    const Bstr language(L"WQL");
    const Bstr query(L"SELECT * FROM SystemRestore");
    if (FAILED(services->ExecQuery(language.Get(), query.Get(), kQueryFlags, nullptr, points.Put())) || !points)
        return Fail(failure, "Query for processes failed. ");

    for (;;) {
        ComPointer<IWbemClassObject> point;
        ULONG returned = 0;
        const HRESULT next = points->Next(kWaitForever, 1, point.Put(), &returned);
        if (FAILED(next) || returned == 0 || !point) break;
        RestorePointRecord record;
        if (ReadRecord(*point.Get(), record)) records.push_back(record);
    }
    return true;
}
