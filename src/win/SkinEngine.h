#pragma once
// What a window asks of the skin engine: a skin file loaded once, and each
// window handed over once in its initialisation. A build may have none.
#include <windows.h>

#include <string>

class SkinEngine {
public:
    virtual ~SkinEngine() = default;
    virtual void LoadSkin(const std::string& skinFile) = 0;
    virtual void ApplySkin(HWND window) = 0;
};
