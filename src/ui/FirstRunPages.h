#pragma once
// The first-run wizard's three pages: each offer is a check box; the restore
// points page also lists the points to shred and lets the user drop some.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/RestorePointSource.h"
#include "win/AutoFitListCtrl.h"
#include "win/WizardPage.h"

class LanguagePack;
class SkinEngine;
class UserInteraction;

// A page whose offer is one check box.
class OfferPage : public win::WizardPage {
public:
    // textId and checkBoxTextId: the page's question and its check box in the current language.
    OfferPage(UINT templateId, int checkBox, const LanguagePack& texts, int textId, int checkBoxTextId, SkinEngine& skin)
        : WizardPage(templateId), checkBox_(checkBox), texts_(texts), textId_(textId), checkBoxTextId_(checkBoxTextId),
          skin_(skin) {}
    bool chosen() const noexcept { return chosen_; }
    // Offers nothing: the check box stays off and disabled, and `reasonControl` says why.
    void Withhold(int reasonControl, std::string reason);
    void TakeValues() override;

protected:
    BOOL OnInitPage() override;

private:
    int checkBox_;
    const LanguagePack& texts_;
    int textId_;
    int checkBoxTextId_;
    SkinEngine& skin_;
    bool chosen_ = false;
    int reasonControl_ = 0;
    std::string reason_;
};

// Finds the folders of one restore point (the restore-point job's lookup).
class RestorePointFolderFinder {
public:
    virtual ~RestorePointFolderFinder() = default;
    virtual void FindRestorePointFolders(int16_t sequenceNumber, std::vector<std::string>& folders) = 0;
    // Vista and later: a point is removed by its number and has no folders.
    virtual bool RestorePointsAreShadowCopies() = 0;
};

class RestorePointsOfferPage : public win::WizardPage {
public:
    RestorePointsOfferPage(const LanguagePack& texts, SkinEngine& skin, UserInteraction& ui, std::string caption,
                           const std::vector<RestorePointRecord>& points, RestorePointFolderFinder& finder);

    bool chosen() const noexcept { return chosen_; }
    std::vector<std::string>& folders() noexcept { return folders_; }
    int shownCount() const noexcept { return shown_; }
    // The numbers of the points still listed, kept after the page's window is gone.
    const std::vector<int16_t>& shownPoints() const noexcept { return numbers_; }
    // Empties the list and the folders once they are shredded.
    void Clear();
    void TakeValues() override;

protected:
    BOOL OnInitPage() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void EnableList(bool enable) const;
    void RemoveSelected();
    void RemoveAll();

    const LanguagePack& texts_;
    SkinEngine& skin_;
    UserInteraction& ui_;
    std::string caption_;
    const std::vector<RestorePointRecord>& points_;
    RestorePointFolderFinder& finder_;
    win::AutoFitListCtrl list_;
    std::vector<std::string> folders_;
    std::vector<int16_t> numbers_;
    int16_t shown_ = 0;
    bool chosen_ = false;
};
