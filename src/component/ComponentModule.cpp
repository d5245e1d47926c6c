#include "component/ComponentModule.h"

namespace sched {

ComponentModule& ComponentModule::Instance() {
    static ComponentModule module;
    return module;
}

}  // namespace sched

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        sched::ComponentModule::Instance().Attach(instance);
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
