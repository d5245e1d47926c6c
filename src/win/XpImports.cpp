// The thread runtime of the posix-thread compilers imports GetTickCount64,
// which Windows XP's kernel32 lacks, so the program would not even load
// there. Its import slot is defined here instead: the real function when
// the system has it, else the 32-bit count. Linked into the executable
// itself, ahead of the runtime, so the linker never asks kernel32 for it.
#include <windows.h>

namespace {

ULONGLONG WINAPI TickCount64() {
    using Function = ULONGLONG(WINAPI*)();
    static Function real = reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
    return real != nullptr ? real() : ::GetTickCount();
}

}  // namespace

extern "C" {
ULONGLONG(WINAPI* vantrelGetTickCount64Import)() __asm__("__imp__GetTickCount64@0") = TickCount64;
}
