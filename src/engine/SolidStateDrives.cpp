#include "engine/SolidStateDrives.h"

#include <windows.h>

#include "engine/ActivityLog.h"
#include "engine/DriveSeekPenalty.h"
#include "engine/EngineState.h"
#include "engine/FreeSpaceTrim.h"
#include "engine/Settings.h"
#include "engine/SettingsStore.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/FileSystem.h"

namespace {

wchar_t UpperLetter(wchar_t letter) {
    if (letter >= L'a' && letter <= L'z') return static_cast<wchar_t>(letter - L'a' + L'A');
    return letter >= L'A' && letter <= L'Z' ? letter : 0;
}

// The drive letter of a full path, also in the "\\?\" form; 0 for a network path.
wchar_t DriveLetterOf(const win::FsPath& path) {
    std::wstring text = win::fs::FullPath(path).Text();
    if (text.compare(0, 4, L"\\\\?\\") == 0) text.erase(0, 4);
    if (text.size() < 2 || text[1] != L':') return 0;
    return UpperLetter(text[0]);
}

std::string DriveName(wchar_t letter) { return std::string(1, static_cast<char>(letter)) + ":"; }

bool NoSeekPenalty(EngineContext& context, wchar_t letter) {
    return letter != 0 && context.seekPenalty != nullptr && context.seekPenalty->HasNoSeekPenalty(letter);
}

std::string TrimText(EngineContext& context, const std::string& drive, const TrimResult& result) {
    int id = 15323;
    switch (result.outcome) {
    case TrimOutcome::Trimmed: id = 15323; break;
    case TrimOutcome::NotOffered: id = 15324; break;
    case TrimOutcome::Failed: id = 15325; break;
    case TrimOutcome::StillRunning: id = 15326; break;
    }
    return ReplaceAll(ReplaceAll(context.texts.Text(id), "%c", drive), "%u", std::to_string(result.code));
}

}  // namespace

void TellOfSolidStateDrive(EngineContext& context, const win::FsPath& target) {
    EngineState& state = context.state;
    if (state.solidStateTold || target.empty()) return;
    const wchar_t letter = DriveLetterOf(target);
    if (!NoSeekPenalty(context, letter)) return;
    state.solidStateTold = true;
    if (context.settings.Read(setting::kSolidStateAlertDisabled) != 0) return;
    // Nobody sits at a silent run: the log says it, once.
    if (state.runMode) {
        if (!state.solidStateLogged) context.log.Note(ReplaceAll(context.texts.Text(15321), "%c", DriveName(letter)));
        state.solidStateLogged = true;
        return;
    }
    // The notice only informs: however it is closed, the job goes on.
    const NoticeAnswer answer = context.ui.ShowNotice(NoticeSolidStateDrive);
    if (answer.ok && answer.dontShowAgain) context.settings.Write(setting::kSolidStateAlertDisabled, 1);
}

void TrimShreddedFreeSpace(EngineContext& context, const std::string& root) {
    if (context.trim == nullptr || context.state.cancelRequested || root.size() < 2 || root[1] != ':') return;
    const wchar_t letter = UpperLetter(static_cast<wchar_t>(static_cast<unsigned char>(root[0])));
    if (!NoSeekPenalty(context, letter)) return;
    const std::string drive = DriveName(letter);
    if (context.ui.ProgressOpen()) {
        context.ui.Progress().SetStatus(ReplaceAll(context.texts.Text(15322), "%c", drive));
        context.ui.Progress().SetDetail(context.texts.Text(9912));
        context.ui.Progress().Repaint();
    }
    const TrimResult result = context.trim->Retrim(letter, [&context] { context.ui.ProcessWaitingMessages(); });
    const std::string text = TrimText(context, drive, result);
    if (context.state.runMode) {
        context.log.Note(text);
        return;
    }
    // Only what did not work is worth a box: the shredding itself is done.
    if (result.outcome == TrimOutcome::Failed || result.outcome == TrimOutcome::StillRunning)
        context.ui.ShowMessage(text, context.programCaption, MB_OK | MB_ICONINFORMATION);
}
