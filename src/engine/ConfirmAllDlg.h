#pragma once
// The four-answer confirmation box. Its style chooses the buttons shown;
// results: OK and YES 6, NO 7, Yes To ALL 1025, Cancel and NO TO ALL 2
// (NO TO ALL also sets cancelRequested).
#include <string>

#include "win/Dialog.h"

struct EngineState;
class LanguagePack;
class SkinEngine;

class ConfirmAllDlg final : public win::Dialog {
public:
    ConfirmAllDlg(std::string caption, std::wstring text, int style, EngineState& state,
                  const LanguagePack& texts, SkinEngine* skin = nullptr)
        : Dialog(146), caption_(std::move(caption)), text_(std::move(text)), style_(style), state_(state),
          texts_(texts), skin_(skin) {}

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override { Close(6); }
    void OnCancel() override { Close(2); }

private:
    void LayOutButtons();

    std::string caption_;
    std::wstring text_;
    int style_;
    EngineState& state_;
    const LanguagePack& texts_;
    SkinEngine* skin_;
};
