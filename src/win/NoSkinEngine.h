#pragma once
// This build has no skin engine: windows keep their own look. The windows
// still hand themselves over, so an engine can be added without touching them.
#include "win/SkinEngine.h"

class NoSkinEngine final : public SkinEngine {
public:
    void LoadSkin(const std::string& /*skinFile*/) override {}
    void ApplySkin(HWND /*window*/) override {}
};
