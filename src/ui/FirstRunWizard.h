#pragma once
// The first-run wizard: three offers (a daily free-space task, shredding the
// restore points, shredding the Recycle Bin), performed on Finish. Writes
// "0" to the setting FirstRun except where the user should be asked again.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/RestorePointSource.h"
#include "ui/FirstRunPages.h"

class CShredApp;
class LanguagePack;
class SettingsStore;
class SkinEngine;
class UserInteraction;

// What the offers start; the application's jobs, or a recorder in tests.
class FirstRunJobs : public RestorePointFolderFinder {
public:
    virtual bool RecycleBinIsEmpty() = 0;
    virtual void ShredRecycleBin() = 0;
    // False when the scheduling component is missing: no task can be made.
    virtual bool SchedulerAvailable() = 0;
    virtual void CreateDefaultFreeSpaceTask() = 0;
    virtual bool ShredRestorePoints() = 0;
    virtual void ShredRestorePointFolders(const std::vector<std::string>& folders) = 0;
    virtual void CloseProgressDialog() = 0;
};

struct FirstRunParts {
    const LanguagePack& texts;
    SkinEngine& skin;
    UserInteraction& ui;
    const SettingsStore& settings;
    std::string caption;
    const std::vector<RestorePointRecord>& restorePoints;
    FirstRunJobs& jobs;
};

// Runs the wizard modally and performs what was chosen; 1 when it finished.
int RunFirstRunWizard(FirstRunParts& parts, HWND owner = nullptr);
// The same with the application's own parts and jobs.
int RunFirstRunWizard(CShredApp& app, HWND owner);
