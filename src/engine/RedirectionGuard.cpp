#include "engine/RedirectionGuard.h"

KernelRedirectionFunctions::KernelRedirectionFunctions() : kernel_(::LoadLibraryA("kernel32.dll")) {
    if (!kernel_) return;
    disable_ = reinterpret_cast<DisableFunction>(::GetProcAddress(kernel_.Get(), "Wow64DisableWow64FsRedirection"));
    revert_ = reinterpret_cast<RevertFunction>(::GetProcAddress(kernel_.Get(), "Wow64RevertWow64FsRedirection"));
    enable_ = reinterpret_cast<EnableFunction>(::GetProcAddress(kernel_.Get(), "Wow64EnableWow64FsRedirection"));
}

// The pair is the whole switch; the third only serves a pause.
bool KernelRedirectionFunctions::Present() const { return disable_ != nullptr && revert_ != nullptr; }

bool KernelRedirectionFunctions::Disable(void** old) { return disable_ != nullptr && disable_(old) != FALSE; }

bool KernelRedirectionFunctions::Revert(void* old) { return revert_ != nullptr && revert_(old) != FALSE; }

bool KernelRedirectionFunctions::Enable(bool on) {
    return enable_ != nullptr && enable_(on ? TRUE : FALSE) != FALSE;
}

RedirectionGuard::RedirectionGuard(RedirectionFunctions* functions) {
    if (functions != nullptr && functions->Present() && functions->Disable(&old_)) functions_ = functions;
}

RedirectionGuard::~RedirectionGuard() {
    if (functions_ != nullptr) functions_->Revert(old_);
}

// Disable only saves the state here, so that Revert can put exactly it back.
RedirectionPause::RedirectionPause(RedirectionFunctions* functions) {
    if (functions == nullptr || !functions->Present() || !functions->Disable(&saved_)) return;
    functions_ = functions;
    functions->Enable(true);
}

RedirectionPause::~RedirectionPause() {
    if (functions_ != nullptr) functions_->Revert(saved_);
}
