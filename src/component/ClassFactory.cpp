#include "component/ClassFactory.h"

#include "component/ComponentModule.h"
#include "component/TaskCollection.h"

namespace sched {

const CLSID kScheduleClassId = {0xCD06F30A, 0x1794, 0x4862, {0xAA, 0x8A, 0x3D, 0x87, 0xA4, 0x46, 0xAC, 0x11}};

ClassFactory::ClassFactory() noexcept { ComponentModule::Instance().AddObject(); }
ClassFactory::~ClassFactory() { ComponentModule::Instance().RemoveObject(); }

HRESULT STDMETHODCALLTYPE ClassFactory::QueryInterface(REFIID riid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ClassFactory::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

ULONG STDMETHODCALLTYPE ClassFactory::Release() {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return TaskCollection::Create(riid, out);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock) {
    ComponentModule::Instance().Lock(lock != FALSE);
    return S_OK;
}

}  // namespace sched
