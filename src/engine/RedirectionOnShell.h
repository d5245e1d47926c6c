#pragma once
// The shell's Recycle Bin functions with file-system redirection on: the
// shell loads its libraries and handlers by their System32 names, which
// must reach the program's 32-bit ones (see RedirectionGuard).
#include "engine/RecycleBinShell.h"
#include "engine/RedirectionGuard.h"

class RedirectionOnShell final : public RecycleBinShell {
public:
    RedirectionOnShell(RecycleBinShell& inner, RedirectionFunctions* functions)
        : inner_(inner), functions_(functions) {}

    RecycleBinAccess Open() override;
    void Close() override;
    HRESULT Query(const std::string& root, RecycleBinContents& contents) override;
    void Empty(const std::string& root) override;

private:
    RecycleBinShell& inner_;
    RedirectionFunctions* functions_;
};
