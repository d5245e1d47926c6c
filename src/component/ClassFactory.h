#pragma once
// Makes the collection object for CoCreateInstance.
#include <windows.h>
#include <objbase.h>

namespace sched {

// {CD06F30A-1794-4862-AA8A-3D87A446AC11}
extern const CLSID kScheduleClassId;

class ClassFactory final : public IClassFactory {
public:
    ClassFactory() noexcept;
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory();
    LONG refs_ = 1;
};

}  // namespace sched
