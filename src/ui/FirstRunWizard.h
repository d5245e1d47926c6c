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
class MachineFacts;
class RecycleBinShredder;
class RestorePointShredder;
class ShadowCopyRestorePoints;
class TaskScheduling;
struct EngineContext;
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
    // Every point: shredded (XP) or removed through the system. False when
    // nothing was done, so the wizard is offered again.
    virtual bool ShredRestorePoints() = 0;
    virtual void ShredRestorePointFolders(const std::vector<std::string>& folders) = 0;
    // The points left in the list, where they are shadow copies.
    virtual void RemoveRestorePoints(const std::vector<int16_t>& numbers) = 0;
    virtual void CloseProgressDialog() = 0;
};

// The engine's own jobs behind the offers.
class EngineFirstRunJobs final : public FirstRunJobs {
public:
    struct Parts {
        EngineContext& context;
        const MachineFacts& machine;
        TaskScheduling& tasks;
        RecycleBinShredder& recycleBin;
        RestorePointShredder& restorePoints;
        ShadowCopyRestorePoints* shadowCopies = nullptr;  // without it, the folder road
    };
    explicit EngineFirstRunJobs(const Parts& parts) : parts_(parts) {}

    bool RecycleBinIsEmpty() override;
    void ShredRecycleBin() override;
    bool SchedulerAvailable() override;
    void CreateDefaultFreeSpaceTask() override;
    bool ShredRestorePoints() override;
    void ShredRestorePointFolders(const std::vector<std::string>& folders) override;
    void RemoveRestorePoints(const std::vector<int16_t>& numbers) override;
    bool RestorePointsAreShadowCopies() override;
    void FindRestorePointFolders(int16_t sequenceNumber, std::vector<std::string>& folders) override;
    void CloseProgressDialog() override;

private:
    Parts parts_;
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
