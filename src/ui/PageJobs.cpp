#include "ui/PageJobs.h"

#include "algorithms/AlgorithmList.h"
#include "algorithms/ShredAlgorithm.h"
#include "engine/EngineState.h"
#include "engine/FileShredder.h"
#include "engine/FolderShredder.h"
#include "engine/Settings.h"
#include "engine/SettingsStore.h"
#include "engine/ShredJob.h"
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

// The page's request: its list, the chosen algorithm and the folder options
// as the settings hold them.
JobRequest PageRequest(PageServices& services, const std::vector<win::FsPath>& paths, TargetKind kind) {
    JobRequest request;
    request.targets = paths;
    request.kind = kind;
    request.algorithm = services.methodIndex;
    request.folderOption = services.context.settings.Read(setting::kFolder);
    request.removeOption = services.context.settings.Read(setting::kRemove);
    request.verify = services.context.settings.Read(setting::kVerify) != 0;
    return request;
}

PageJobResult RunPageJob(PageServices& services, const std::vector<win::FsPath>& paths, TargetKind kind,
                         int confirmation, HWND page) {
    PageJobResult result;
    if (!Confirmed(services, confirmation)) return result;
    result.ran = true;
    const JobOutcome outcome = services.jobs.Run(PageRequest(services, paths, kind));
    for (size_t i = 0; i < paths.size(); ++i)
        if (outcome.results[i] != TargetResult::Done) result.kept.push_back(paths[i]);
    if (page != nullptr) ::EnableWindow(page, TRUE);
    return result;
}


}  // namespace

PageJobResult ShredFileList(PageServices& services, const std::vector<win::FsPath>& paths, HWND page) {
    return RunPageJob(services, paths, TargetKind::File, 9032, page);
}

PageJobResult ShredFolderList(PageServices& services, const std::vector<win::FsPath>& paths, HWND page) {
    return RunPageJob(services, paths, TargetKind::Folder, 9023, page);
}

int ShowPageMessage(PageServices& services, int messageId, unsigned flags, const win::FsPath& path) {
    EngineContext& context = services.context;
    const std::string text = context.texts.Text(messageId);
    if (path.empty()) return context.ui.ShowMessage(text, context.programCaption, flags);
    return context.ui.ShowMessage(WithPath(text, path.Text()), context.programCaption, flags);
}

bool SchedulingAvailable(const PageServices& services) {
    return services.schedule != nullptr && !services.context.machine.schedulerUnavailable;
}
