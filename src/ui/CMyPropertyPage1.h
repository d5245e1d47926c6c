#pragma once
// The Options page: the algorithm every job uses (setting "Method") with its
// description, New, Edit and Delete of user algorithms, whether the last pass
// is read back (setting "Verify"), and the language.
#include <cstdint>
#include <string>
#include <vector>

#include "algorithms/AlgorithmList.h"
#include "algorithms/AlgorithmStore.h"
#include "engine/SettingsStore.h"
#include "lang/LanguagePack.h"
#include "win/PropertyPage.h"
#include "win/UniqueImageList.h"

class CShredApp;
class LanguageListener;
class TaskSchedulerClient;
class UserInteraction;
namespace win {
class DialogLook;
}

struct OptionsPageParts {
    AlgorithmList& algorithms;
    const AlgorithmStore& store;
    const SettingsStore& settings;
    LanguagePack& texts;
    std::string& caption;
    int& methodIndex;
    UserInteraction& ui;
    TaskSchedulerClient* scheduler = nullptr;  // none while the component is missing
    const win::DialogLook* look = nullptr;
};

class CMyPropertyPage1 : public win::PropertyPage {
public:
    explicit CMyPropertyPage1(CShredApp& app);
    explicit CMyPropertyPage1(const OptionsPageParts& parts);

    // The main window, told after each change of language.
    void SetLanguageListener(LanguageListener* listener) { languageListener_ = listener; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void SetCaptions() const;
    void OnSelchangeAlgorithm();
    void OnNew();
    void OnEdit();
    void OnDelete();
    void FillLanguageList();
    void OnSelchangeLanguage();
    // Scheduled tasks go on with the algorithms they named before position
    // `removed` was deleted.
    void KeepTasksOnTheirAlgorithms(int32_t removed);
    void TellTasks(int id, const std::vector<std::string>& names) const;
    // Message `id` with its "%s" replaced by `inserted`.
    void ShowMessageWith(int id, const std::string& inserted, unsigned icon) const;

    int SelectedAlgorithm() const;
    std::string LanguageItemText(int item) const;

    OptionsPageParts parts_;
    LanguageListener* languageListener_ = nullptr;
    win::UniqueImageList flags_;
};
