#include "scheduler/TaskScheduling.h"

#include <windows.h>

#include "engine/EngineState.h"
#include "engine/FolderShredder.h"
#include "engine/MachineFacts.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/FileSystem.h"
#include "win/WideText.h"

namespace {

bool HasSystemAttribute(const win::FsPath& path) {
    const DWORD attributes = win::fs::Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
}

ScheduleResult Outcome(ScheduleOutcome outcome, bool emptyPageList = false) {
    ScheduleResult result;
    result.outcome = outcome;
    result.emptyPageList = emptyPageList;
    return result;
}

ScheduleOutcome FromCreator(TaskCreator::Result result) {
    switch (result) {
    case TaskCreator::Result::Created: return ScheduleOutcome::Created;
    case TaskCreator::Result::Cancelled: return ScheduleOutcome::Cancelled;
    case TaskCreator::Result::Exists: return ScheduleOutcome::AlreadyExists;
    case TaskCreator::Result::Unavailable: return ScheduleOutcome::Unavailable;
    case TaskCreator::Result::Failed: break;
    }
    return ScheduleOutcome::Failed;
}

}  // namespace

// Every Schedule starts as a job does: no answer and no cancel of another.
void TaskScheduling::FreshAnswers() {
    context_.state.answers = JobAnswers();
    context_.state.cancelRequested = false;
}

void TaskScheduling::ShowError(int messageId, unsigned icon) {
    context_.ui.ShowMessage(context_.texts.Text(messageId), context_.programCaption, MB_OK | icon);
}

bool TaskScheduling::AddTarget(TaskTargetList& list, size_t position, const win::FsPath& path) {
    if (list.Add(position, path.Text())) return true;
    ShowRefusedTarget(path.Text());
    return false;
}

void TaskScheduling::ShowRefusedTarget(const std::wstring& path) {
    context_.ui.ShowMessage(WithPath(context_.texts.Text(15055), path), context_.programCaption,
                            MB_OK | MB_ICONERROR);
}

ScheduleResult TaskScheduling::ScheduleFiles(const std::vector<win::FsPath>& files) {
    FreshAnswers();
    if (!creator_.CheckAvailable()) return Outcome(ScheduleOutcome::Unavailable);
    if (files.empty()) {
        ShowError(9019, MB_ICONERROR);
        return Outcome(ScheduleOutcome::NothingToSchedule);
    }
    TaskTargetList targets;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!IsSafeTaskTarget(files[i].Text())) {
            AddTarget(targets, i, files[i]);
            continue;
        }
        const int check = context_.state.answers.taskFileYesToAll ? 2 : folders_.CheckTaskFile(files[i]);
        if (check == 1) return Outcome(ScheduleOutcome::GivenUp);
        if (check == 2) AddTarget(targets, i, files[i]);
    }
    if (targets.Empty()) return Outcome(ScheduleOutcome::NothingToSchedule);
    TaskLineValues values;
    values.targets = &targets;
    return Schedule(TaskLineKind::Files, values, true);
}

ScheduleResult TaskScheduling::ScheduleFolders(const std::vector<win::FsPath>& folders) {
    FreshAnswers();
    if (!creator_.CheckAvailable()) return Outcome(ScheduleOutcome::Unavailable);
    if (folders.empty()) {
        ShowError(9030, MB_ICONERROR);
        return Outcome(ScheduleOutcome::NothingToSchedule);
    }
    TaskTargetList targets;
    for (size_t i = 0; i < folders.size(); ++i) {
        if (!IsSafeTaskTarget(folders[i].Text())) {
            AddTarget(targets, i, folders[i]);
            continue;
        }
        const int check = context_.state.answers.taskFolderYesToAll
                              ? 2
                              : folders_.CheckTaskFolder(folders[i], HasSystemAttribute(folders[i]));
        // Given up: nothing was scheduled, so the page keeps its list.
        if (check == 1) return Outcome(ScheduleOutcome::GivenUp);
        AddTarget(targets, i, folders[i]);
    }
    if (targets.Empty()) return Outcome(ScheduleOutcome::NothingToSchedule);
    TaskLineValues values;
    values.targets = &targets;
    return Schedule(TaskLineKind::Folders, values, true);
}

ScheduleResult TaskScheduling::ScheduleDrive(const std::string& selectedRow, int32_t driveOption) {
    FreshAnswers();
    if (!creator_.CheckAvailable()) return Outcome(ScheduleOutcome::Unavailable);
    if (selectedRow.empty()) {
        ShowError(9075, MB_ICONWARNING);
        return Outcome(ScheduleOutcome::NothingToSchedule);
    }
    TaskLineValues values;
    values.driveOption = driveOption;
    values.driveRoot = DriveRootOfRow(selectedRow);
    if (!IsSafeTaskTarget(win::WidenAnsi(values.driveRoot))) {
        ShowRefusedTarget(win::WidenAnsi(values.driveRoot));
        return Outcome(ScheduleOutcome::NothingToSchedule);
    }
    return Schedule(TaskLineKind::Drive, values, false);
}

ScheduleResult TaskScheduling::ScheduleRecycleBin() {
    FreshAnswers();
    if (!creator_.CheckAvailable()) return Outcome(ScheduleOutcome::Unavailable);
    return Schedule(TaskLineKind::RecycleBin, TaskLineValues(), false);
}

ScheduleResult TaskScheduling::ScheduleRestorePoints(const std::vector<std::string>& folders, size_t rowsShown,
                                                     size_t pointsOfSystem) {
    FreshAnswers();
    if (!creator_.CheckAvailable()) return Outcome(ScheduleOutcome::Unavailable);
    const bool everyPoint = rowsShown > 0 && rowsShown == pointsOfSystem;
    // Shadow copies have no folders: every point shown is the whole task.
    const bool withoutFolders = everyPoint && context_.machine.isVistaOrLater;
    if (folders.empty() && !withoutFolders) {
        ShowError(9092, MB_ICONERROR);
        return Outcome(ScheduleOutcome::NothingToSchedule);
    }
    if (everyPoint)
        return Outcome(FromCreator(creator_.CreateDefaultRestorePointsTask()));
    // The yes-to-all answers of an earlier pre-check still count here.
    TaskTargetList targets;
    for (size_t i = 0; i < folders.size(); ++i) {
        const win::FsPath folder(win::WidenAnsi(folders[i]));
        if (!IsSafeTaskTarget(folder.Text())) {
            AddTarget(targets, i, folder);
            continue;
        }
        if (folders_.CheckTaskFolder(folder, HasSystemAttribute(folder)) == 1)
            return Outcome(ScheduleOutcome::GivenUp, true);
        AddTarget(targets, i, folder);
    }
    if (targets.Empty()) return Outcome(ScheduleOutcome::NothingToSchedule);
    TaskLineValues values;
    values.targets = &targets;
    return Schedule(TaskLineKind::Folders, values, false);
}

ScheduleResult TaskScheduling::Schedule(TaskLineKind kind, TaskLineValues values, bool emptyAfter) {
    std::string name;
    const TaskCreator::Result created = creator_.CreateTask(name);
    if (created != TaskCreator::Result::Created) return Outcome(FromCreator(created));
    // Read now: a pre-check may have turned a Prompt into Never or Always.
    values.name = name;
    values.switches = ReadTaskSwitches(context_.settings);
    const auto line = BuildTaskCommandLine(kind, values);
    if (!line) {
        creator_.AbandonTask(name, 15057);
        return Outcome(ScheduleOutcome::Failed);
    }
    const TaskCreator::Result finished = creator_.FinishTask(name, *line, true);
    if (finished != TaskCreator::Result::Created) return Outcome(FromCreator(finished));
    ScheduleResult result = Outcome(ScheduleOutcome::Created, emptyAfter);
    result.taskName = name;
    return result;
}

std::string TaskScheduling::CreateTask() {
    std::string name;
    creator_.CreateTask(name);
    return name;
}

int TaskScheduling::CreateDefaultRestorePointsTask() {
    creator_.CreateDefaultRestorePointsTask();
    return 1;
}

int TaskScheduling::CreateDefaultFreeSpaceTask() {
    creator_.CreateDefaultFreeSpaceTask();
    return 1;
}
