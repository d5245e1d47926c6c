// The library's four exports (see Sched.def).
#include <windows.h>
#include <olectl.h>

#include <new>

#include "component/ClassFactory.h"
#include "component/ComponentModule.h"
#include "component/Registration.h"

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID riid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (classId != sched::kScheduleClassId) return CLASS_E_CLASSNOTAVAILABLE;
    sched::ClassFactory* factory = new (std::nothrow) sched::ClassFactory();
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, out);
    factory->Release();
    return hr;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return sched::ComponentModule::Instance().CanUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    return sched::RegisterComponent(sched::ComponentModule::Instance().Handle());
}

extern "C" HRESULT WINAPI DllUnregisterServer() { return sched::UnregisterComponent(); }
