#include "engine/ShadowCopyRestorePoints.h"

#include <windows.h>

#include <algorithm>

#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "engine/FreeSpaceJob.h"
#include "engine/MachineFacts.h"
#include "engine/ProgressControl.h"
#include "engine/Report.h"
#include "engine/RestorePointRemover.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"

namespace {

// The record keeps the low 16 bits; the system numbers its points unsigned.
uint32_t SystemNumber(int16_t sequenceNumber) { return static_cast<uint16_t>(sequenceNumber); }

}  // namespace

std::vector<int16_t> ShadowCopyRestorePoints::RemoveAllRestorePoints() {
    // Told before any question or note, which would speak of a removal to come.
    if (!restorePoints_.empty() && !remover_.Available()) return ReportUnavailable();
    if (!Confirmed()) return {};
    std::vector<int16_t> numbers;
    for (const RestorePointRecord& point : restorePoints_) numbers.push_back(point.sequenceNumber);
    return RemoveRestorePoints(numbers);
}

bool ShadowCopyRestorePoints::Confirmed() {
    // A silent run's task exists because its owner confirmed this when
    // scheduling it; nobody could answer the question now.
    if (context_.state.runMode) {
        context_.log.Note(context_.texts.Text(15284));
        return true;
    }
    return context_.ui.ConfirmAll(context_.texts.Text(9064), context_.texts.Text(12001), ConfirmStyleYesNo) ==
           ConfirmYes;
}

std::vector<int16_t> ShadowCopyRestorePoints::RemoveRestorePoints(const std::vector<int16_t>& numbers) {
    context_.state.cancelRequested = false;
    if (numbers.empty()) return {};
    if (!remover_.Available()) return ReportUnavailable();
    const std::vector<int16_t> removed = RemoveEach(numbers);
    Forget(removed);
    if (!removed.empty()) ShredFreedSpace();
    return removed;
}

// Nothing was removed, and nothing may look as if it had been.
std::vector<int16_t> ShadowCopyRestorePoints::ReportUnavailable() {
    Report(context_, context_.texts.Text(15280), MB_OK | MB_ICONERROR);
    return {};
}

std::vector<int16_t> ShadowCopyRestorePoints::RemoveEach(const std::vector<int16_t>& numbers) {
    std::vector<int16_t> removed;
    for (const int16_t number : numbers) {
        if (std::find(removed.begin(), removed.end(), number) != removed.end()) continue;
        const unsigned long code = remover_.Remove(SystemNumber(number));
        if (code == ERROR_SUCCESS) {
            removed.push_back(number);
            continue;
        }
        std::string text = ReplaceAll(context_.texts.Text(15281), "%s", std::to_string(SystemNumber(number)));
        Report(context_, ReplaceAll(text, "%u", std::to_string(code)), MB_OK | MB_ICONERROR);
    }
    return removed;
}

void ShadowCopyRestorePoints::Forget(const std::vector<int16_t>& removed) {
    const auto gone = [&removed](const RestorePointRecord& point) {
        return std::find(removed.begin(), removed.end(), point.sequenceNumber) != removed.end();
    };
    restorePoints_.erase(std::remove_if(restorePoints_.begin(), restorePoints_.end(), gone), restorePoints_.end());
}

void ShadowCopyRestorePoints::ShredFreedSpace() {
    // Every local fixed drive that start-up recorded: the system does not say
    // which volumes a point covered, and a volume's shadow storage may lie on
    // another volume, so any fixed drive may hold the freed blocks.
    std::string drives;
    for (const std::string& root : context_.machine.driveRoots)
        if (!root.empty()) drives += (drives.empty() ? "" : ", ") + root.substr(0, 2);
    if (drives.empty()) return;
    const std::string told = ReplaceAll(context_.texts.Text(15282), "%s", drives);
    // Told, not failed: a silent run may still end in "Success".
    if (context_.state.runMode)
        context_.log.Note(told);
    else
        context_.ui.ShowMessage(told, context_.programCaption, MB_OK | MB_ICONINFORMATION);
    for (const std::string& root : context_.machine.driveRoots) {
        if (root.empty()) continue;
        // Each drive's job clears the flag when it starts, so its answer tells.
        if (freeSpace_.ShredFreeSpace(root) == 1 || context_.state.cancelRequested) break;
    }
    CloseProgressDialog(context_);
}
