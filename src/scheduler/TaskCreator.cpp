#include "scheduler/TaskCreator.h"

#include <algorithm>
#include <cstdio>

#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "scheduler/AutomationText.h"
#include "scheduler/TaskClient.h"
#include "scheduler/TaskCommandLine.h"
#include "scheduler/TaskNamePrompt.h"
#include "scheduler/TaskSchedulerClient.h"
#include "win/SystemErrorText.h"

namespace {

constexpr char kCreator[] = "Vantrel";
constexpr int32_t kHighestIndex = 32767;  // Item and Remove take a 16-bit index

}  // namespace

std::string DescribeHresult(HRESULT hr) {
    char code[16];
    std::snprintf(code, sizeof(code), "0x%08lX", static_cast<unsigned long>(hr));
    const std::string text = win::SystemErrorText(static_cast<DWORD>(hr), 200);
    return text.empty() ? std::string(code) : std::string(code) + " (" + text + ")";
}

// The dialog's checks after the empty name: a name the run mode would read
// back differently, a name already taken (exactly; letter case counts), and
// a component that cannot tell.
class TaskCreator::NameCheck final : public TaskNameCheck {
public:
    explicit NameCheck(TaskCreator& creator) : creator_(creator) {}

    std::string Refusal(const std::string& name) override {
        const LanguagePack& texts = creator_.context_.texts;
        if (!IsSafeTaskName(name)) return texts.Text(15050);
        bool exists = false;
        const HRESULT hr = creator_.TaskExists(name, exists);
        if (FAILED(hr)) return texts.Text(15053) + "\n" + creator_.Reason(hr);
        return exists ? texts.Text(9016) : std::string();
    }

private:
    TaskCreator& creator_;
};

void TaskCreator::SetComponent(TaskSchedulerClient* scheduler, TaskClient* currentTask) {
    scheduler_ = scheduler;
    currentTask_ = currentTask;
}

bool TaskCreator::Available() const {
    return scheduler_ != nullptr && currentTask_ != nullptr && scheduler_->IsBound() &&
           !context_.machine.schedulerUnavailable;
}

bool TaskCreator::CheckAvailable() {
    if (Available()) return true;
    ShowError(context_.texts.Text(9060));
    return false;
}

void TaskCreator::ShowError(const std::string& text) const {
    context_.ui.ShowMessage(text, context_.programCaption, MB_OK | MB_ICONERROR);
}

HRESULT TaskCreator::TaskExists(const std::string& name, bool& exists) const {
    exists = false;
    if (!Available()) return OLE_E_BLANK;
    const HRESULT hr = scheduler_->Refresh();
    if (FAILED(hr)) return hr;
    const int32_t count = std::min(scheduler_->Count(), kHighestIndex);
    for (int32_t i = 1; i <= count && !exists; ++i)
        exists = scheduler_->Item(static_cast<int16_t>(i)).Name() == name;
    return S_OK;
}

HRESULT TaskCreator::RemoveByName(const std::string& name) {
    if (!Available()) return OLE_E_BLANK;
    currentTask_->ReleaseDispatch();
    HRESULT hr = scheduler_->Refresh();
    if (FAILED(hr)) return hr;
    const int32_t count = std::min(scheduler_->Count(), kHighestIndex);
    for (int32_t i = 1; i <= count; ++i)
        if (scheduler_->Item(static_cast<int16_t>(i)).Name() == name) return scheduler_->Remove(static_cast<int16_t>(i));
    return S_OK;  // the component kept nothing of it
}

std::string TaskCreator::Reason(HRESULT hr) const {
    return ReplaceAll(context_.texts.Text(15052), "%s", DescribeHresult(hr));
}

void TaskCreator::Discard(const std::string& name, HRESULT hr) {
    // A refused Add left nothing behind, and a task of that name may be
    // someone else's; once Add was taken, the task is there to remove.
    const HRESULT removal = addTaken_ ? RemoveByName(name) : S_OK;
    const int messageId = FAILED(removal) ? 15054 : 15051;
    ShowError(ReplaceAll(context_.texts.Text(messageId), "%s", name) + "\n" + Reason(hr));
}

void TaskCreator::AbandonTask(const std::string& name, unsigned messageId) {
    RemoveByName(name);
    ShowError(context_.texts.Text(static_cast<int>(messageId)));
}

// Add, then the two properties every task of this program carries.
HRESULT TaskCreator::AddTask(const std::string& name) {
    currentTask_->ReleaseDispatch();
    TaskClient task;
    HRESULT hr = scheduler_->Add(name, task);
    addTaken_ = SUCCEEDED(hr);
    if (SUCCEEDED(hr) && !task.IsBound()) hr = DISP_E_TYPEMISMATCH;  // taken, but no task handed back
    if (FAILED(hr)) return hr;
    *currentTask_ = std::move(task);
    hr = currentTask_->SetCreator(kCreator);
    if (SUCCEEDED(hr)) hr = currentTask_->SetApplicationName(context_.machine.programFolder + "\\Vantrel.exe");
    return hr;
}

TaskCreator::Result TaskCreator::CreateTask(std::string& name) {
    name.clear();
    if (!CheckAvailable()) return Result::Unavailable;
    NameCheck check(*this);
    std::string typed;
    if (!prompt_.AskTaskName(check, typed)) return Result::Cancelled;
    const HRESULT hr = AddTask(typed);
    if (FAILED(hr)) {
        Discard(typed, hr);
        return Result::Failed;
    }
    name = typed;
    return Result::Created;
}

TaskCreator::Result TaskCreator::FinishTask(const std::string& name, const std::wstring& parameters,
                                            bool editProperties) {
    if (!Available() || !currentTask_->IsBound()) {
        ShowError(context_.texts.Text(9060));
        return Result::Unavailable;
    }
    addTaken_ = true;
    HRESULT hr = currentTask_->SetParameters(parameters);
    if (SUCCEEDED(hr)) hr = currentTask_->Commit(std::string());
    if (SUCCEEDED(hr) && editProperties) hr = currentTask_->EditProperties();
    if (FAILED(hr)) {
        Discard(name, hr);
        return Result::Failed;
    }
    return Result::Created;
}

HRESULT TaskCreator::AddDailyTrigger() {
    TriggerListClient triggers;
    HRESULT hr = currentTask_->Triggers(triggers);
    if (SUCCEEDED(hr) && !triggers.IsBound()) hr = DISP_E_TYPEMISMATCH;
    if (FAILED(hr)) return hr;
    TriggerClient trigger;
    hr = triggers.Add(trigger);
    if (SUCCEEDED(hr) && !trigger.IsBound()) hr = DISP_E_TYPEMISMATCH;
    if (FAILED(hr)) return hr;
    const DATE now = AutomationDateNow();
    hr = trigger.SetTriggerType(TriggerClient::kDaily);
    if (SUCCEEDED(hr)) hr = trigger.SetStartDate(now);
    if (SUCCEEDED(hr)) hr = trigger.SetStartTime(now);
    return hr;
}

TaskCreator::Result TaskCreator::CreateDefaultTask(int nameId, const char* englishName, bool freeSpace) {
    if (!CheckAvailable()) return Result::Unavailable;
    const LanguagePack& texts = context_.texts;
    const std::string name = texts.GetLangText(std::to_string(nameId), englishName);
    if (!IsSafeTaskName(name)) {
        ShowError(ReplaceAll(texts.Text(15056), "%s", name));
        return Result::Failed;
    }
    bool exists = false;
    HRESULT hr = TaskExists(name, exists);
    if (FAILED(hr)) {
        ShowError(texts.Text(15053) + "\n" + Reason(hr));
        return Result::Failed;
    }
    if (exists) return Result::Exists;

    TaskLineValues values;
    values.name = name;
    values.switches = ReadTaskSwitches(context_.settings);
    const auto line =
        BuildTaskCommandLine(freeSpace ? TaskLineKind::DefaultFreeSpace : TaskLineKind::DefaultRestorePoints, values);
    if (!line) {
        ShowError(texts.Text(15057));
        return Result::Failed;
    }
    if (freeSpace) context_.ui.ConfirmAll(context_.programCaption, texts.Text(12008), 4);
    hr = AddTask(name);
    if (SUCCEEDED(hr)) hr = AddDailyTrigger();
    if (FAILED(hr)) {
        Discard(name, hr);
        return Result::Failed;
    }
    return FinishTask(name, *line, false);
}

TaskCreator::Result TaskCreator::CreateDefaultRestorePointsTask() {
    return CreateDefaultTask(12005, "Vantrel-Shred Restore Points", false);
}

TaskCreator::Result TaskCreator::CreateDefaultFreeSpaceTask() {
    return CreateDefaultTask(12002, "Vantrel-Shred Empty Disk Space", true);
}
