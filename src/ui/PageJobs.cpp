#include "ui/PageJobs.h"

#include "algorithms/AlgorithmList.h"
#include "algorithms/ShredAlgorithm.h"
#include "engine/EngineState.h"
#include "engine/FileShredder.h"
#include "engine/FolderShredder.h"
#include "engine/OverallRange.h"
#include "engine/ProgressControl.h"
#include "engine/UserInteraction.h"
#include "engine/MachineFacts.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"

namespace {

bool Confirmed(PageServices& services, int messageId) {
    EngineContext& context = services.context;
    return context.ui.ShowMessage(context.texts.Text(messageId), context.texts.Text(9064),
                                  MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2) == IDYES;
}

int32_t PassCount(PageServices& services) {
    return services.context.algorithms.AtOrFirst(services.methodIndex).passCount();
}

uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool IsSystem(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
}

void EndJob(PageServices& services, HWND page) {
    if (page != nullptr) ::EnableWindow(page, TRUE);
    CloseProgressDialog(services.context);
}

void AppendQuoted(std::string& targets, const std::string& path) {
    if (!targets.empty()) targets += ' ';
    targets += '"' + path + '"';
}

}  // namespace

bool ShredFileList(PageServices& services, const std::vector<std::string>& paths, HWND page) {
    if (!Confirmed(services, 9032)) return false;
    EngineState& state = services.context.state;
    state.attributeYesToAll = false;
    state.cancelRequested = false;
    uint64_t total = 0;
    for (const std::string& path : paths) total += FileSize(path);
    state.overallRange = OverallRange(PassCount(services), total);
    for (const std::string& path : paths) {
        if (services.files.ShredFile(path, ShredFileMode::Confirm) == 1 || state.cancelRequested) break;
    }
    EndJob(services, page);
    return true;
}

bool ShredFolderList(PageServices& services, const std::vector<std::string>& paths, HWND page) {
    if (!Confirmed(services, 9023)) return false;
    EngineState& state = services.context.state;
    state.attributeYesToAll = false;
    state.subfolderYesToAll = false;
    state.removeYesToAll = false;
    state.cancelRequested = false;
    uint64_t total = 0;
    for (const std::string& path : paths) total += FolderShredder::GetFolderSize(path);
    state.overallRange = OverallRange(PassCount(services), total);
    for (const std::string& path : paths) {
        const int result = services.folders.ShredFolder(path, IsSystem(path), FolderWalkMode::Interactive);
        services.folders.RemoveFolderIfEmpty(path);
        // A walk that asks to stop ends the whole job, as a file's shredding does.
        if (result == 1 || state.cancelRequested) break;
    }
    EndJob(services, page);
    return true;
}

int ShowPageMessage(PageServices& services, int messageId, unsigned flags, const std::string& path) {
    EngineContext& context = services.context;
    std::string text = context.texts.Text(messageId);
    if (!path.empty()) text = ReplaceAll(text, "%s", path);
    return context.ui.ShowMessage(text, context.programCaption, flags);
}

bool SchedulingAvailable(const PageServices& services) {
    return services.schedule != nullptr && !services.context.machine.schedulerUnavailable;
}
