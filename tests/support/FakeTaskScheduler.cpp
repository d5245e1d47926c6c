#include "support/FakeTaskScheduler.h"

#include <functional>

namespace {

constexpr DISPID kRefresh = 0x60030003;
constexpr DISPID kCount = 0x68030000;
constexpr DISPID kItem = 0;
constexpr DISPID kName = 0x68030003;
constexpr DISPID kCreator = 0x6803000F;
constexpr DISPID kParameters = 0x68030011;
constexpr DISPID kCommit = 0x60030016;

BSTR Wide(const std::string& text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR value = ::SysAllocStringLen(nullptr, static_cast<UINT>(length));
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), value, length);
    return value;
}

std::string Narrow(const VARIANT& value) {
    VARIANT copy;
    ::VariantInit(&copy);
    if (FAILED(::VariantChangeType(&copy, const_cast<VARIANT*>(&value), 0, VT_BSTR))) return std::string();
    const int wide = static_cast<int>(::SysStringLen(copy.bstrVal));
    const int length = ::WideCharToMultiByte(CP_ACP, 0, copy.bstrVal, wide, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, copy.bstrVal, wide, &text[0], length, nullptr, nullptr);
    ::VariantClear(&copy);
    return text;
}

long Number(const VARIANT& value) {
    VARIANT copy;
    ::VariantInit(&copy);
    if (FAILED(::VariantChangeType(&copy, const_cast<VARIANT*>(&value), 0, VT_I4))) return -1;
    return copy.lVal;
}

}  // namespace

// One IDispatch whose Invoke is a function: the collection or a task.
class FakeTaskScheduler::Object final : public IDispatch {
public:
    using Handler = std::function<HRESULT(DISPID, WORD, DISPPARAMS*, VARIANT*)>;
    explicit Object(Handler handler) : handler_(std::move(handler)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        *out = (riid == IID_IUnknown || riid == IID_IDispatch) ? this : nullptr;
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        return handler_(id, flags, params, result);
    }

private:
    ULONG refs_ = 1;
    Handler handler_;
};

FakeTaskScheduler::FakeTaskScheduler() {
    collection_ = new Object([this](DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) -> HRESULT {
        if (id == kRefresh) return S_OK;
        if (id == kCount && (flags & DISPATCH_PROPERTYGET) && result != nullptr) {
            result->vt = VT_I4;
            result->lVal = static_cast<long>(tasks.size());
            return S_OK;
        }
        if (id != kItem || params->cArgs != 1 || result == nullptr) return DISP_E_MEMBERNOTFOUND;
        const long index = Number(params->rgvarg[0]);
        if (index < 1 || static_cast<size_t>(index) > tasks.size()) return DISP_E_BADINDEX;
        FakeTask* task = tasks[static_cast<size_t>(index - 1)].get();
        result->vt = VT_DISPATCH;
        result->pdispVal = new Object([task](DISPID member, WORD how, DISPPARAMS* args, VARIANT* out) -> HRESULT {
            const bool get = (how & DISPATCH_PROPERTYGET) != 0 && out != nullptr;
            auto text = [out](const std::string& value) {
                out->vt = VT_BSTR;
                out->bstrVal = Wide(value);
                return S_OK;
            };
            if (member == kName && get) return text(task->name);
            if (member == kCreator && get) return text(task->creator);
            if (member == kParameters && get) return text(task->parameters);
            if (member == kParameters && (how & DISPATCH_PROPERTYPUT) && args->cArgs == 1) {
                task->pendingParameters = Narrow(args->rgvarg[0]);
                return S_OK;
            }
            if (member == kCommit) {
                if (task->refuseCommit) return E_ACCESSDENIED;
                task->parameters = task->pendingParameters;
                ++task->commits;
                return S_OK;
            }
            return DISP_E_MEMBERNOTFOUND;
        });
        return S_OK;
    });
}

FakeTaskScheduler::~FakeTaskScheduler() { collection_->Release(); }

FakeTask& FakeTaskScheduler::Add(const std::string& name, const std::string& creator, const std::string& parameters) {
    tasks.push_back(std::make_unique<FakeTask>(FakeTask{name, creator, parameters, parameters, 0, false}));
    return *tasks.back();
}

IDispatch* FakeTaskScheduler::Collection() const { return collection_; }
