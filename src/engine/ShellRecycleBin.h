#pragma once
// The real shell: SHELL32.DLL loaded for one job and its Recycle Bin
// functions found by name, because shells up to 4.70 lack them.
#include "engine/RecycleBinShell.h"
#include "win/UniqueResource.h"

class ShellRecycleBin final : public RecycleBinShell {
public:
    RecycleBinAccess Open() override;
    void Close() override;
    HRESULT Query(const std::string& root, RecycleBinContents& contents) override;
    void Empty(const std::string& root) override;

private:
    using QueryFunction = HRESULT(WINAPI*)(LPCSTR, void*);
    using EmptyFunction = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);

    win::UniqueModule shell_;
    QueryFunction query_ = nullptr;
    EmptyFunction empty_ = nullptr;
};
