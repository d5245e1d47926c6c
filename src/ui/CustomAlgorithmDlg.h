#pragma once
// The "Custom Algorithm Editor": a name, a description and the passes of a
// new or an edited user algorithm. Save checks the input, writes the store
// and only then changes the algorithm list.
#include <windows.h>

#include <cstdint>
#include <string>

#include "algorithms/AlgorithmEditing.h"
#include "algorithms/AlgorithmList.h"
#include "algorithms/AlgorithmStore.h"
#include "win/AutoFitListCtrl.h"
#include "win/Dialog.h"

class LanguagePack;
class UserInteraction;

struct AlgorithmEditorParts {
    AlgorithmList& algorithms;
    const AlgorithmStore& store;
    const LanguagePack& texts;
    const std::string& caption;  // of every message box
    UserInteraction& ui;
    const win::DialogLook* look = nullptr;
};

class CustomAlgorithmDlg : public win::Dialog {
public:
    static constexpr INT_PTR kSaved = 1023;   // the identifier of Save
    static constexpr INT_PTR kNotSaved = IDCANCEL;

    // editedIndex: the algorithm's position, -1 for a new one.
    CustomAlgorithmDlg(const AlgorithmEditorParts& parts, int32_t editedIndex);
    // How the dialog was closed, also for a modeless one: kSaved, kNotSaved, or 0 while open.
    INT_PTR result() const { return result_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    // Enter never closes the editor; only Save and Cancel do.
    void OnOK() override {}
    void OnCancel() override { Finish(kNotSaved); }

private:
    void LoadEdited();
    void EnablePassControls(bool enable) const;
    void AddPass();
    void DeletePass();
    void MovePass(int step);
    void ChooseKind(int radio);
    void PatternTyped();
    std::string RowFromPatternField() const;
    void RowSelected(int row);
    void SetRowText(int row, const std::string& text);
    void CheckKind(int radio) const;
    void SetPatternField(const std::string& text);
    void Save();
    void Finish(INT_PTR result);
    int SelectedRowOrWarn();
    void Warn(int id, unsigned icon) const;
    std::string FieldText(int controlId) const;

    AlgorithmEditorParts parts_;
    int32_t editedIndex_;
    INT_PTR result_ = 0;
    bool fillingField_ = false;
    win::AutoFitListCtrl passes_;
};

// Runs the editor modally; answers CustomAlgorithmDlg::kSaved or kNotSaved.
INT_PTR ShowCustomAlgorithmEditor(HWND owner, const AlgorithmEditorParts& parts, int32_t editedIndex);
