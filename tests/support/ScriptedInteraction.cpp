#include "support/ScriptedInteraction.h"

#include <windows.h>

int ScriptedInteraction::ShowMessage(const std::wstring& text, const std::string& caption, unsigned flags) {
    messages.push_back({win::ToUtf8(text), caption, flags});
    if (messageAnswers.empty()) return IDOK;
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

int ScriptedInteraction::ConfirmAll(const std::string& caption, const std::wstring& text, int style) {
    confirms.push_back({caption, win::ToUtf8(text), style});
    int answer = ConfirmYes;
    if (!confirmAnswers.empty()) {
        answer = confirmAnswers.front();
        confirmAnswers.pop_front();
    }
    if (answer == kNoToAll) {
        state_.cancelRequested = true;
        return ConfirmCancel;
    }
    return answer;
}

NoticeAnswer ScriptedInteraction::ShowNotice(NoticeKind kind) {
    notices.push_back(kind);
    if (noticeAnswers.empty()) return NoticeAnswer{true, false};
    const NoticeAnswer answer = noticeAnswers.front();
    noticeAnswers.pop_front();
    return answer;
}

bool ScriptedInteraction::OpenProgress(int overallRange) {
    if (failProgress) return false;
    if (!open) {
        open = true;
        ++progressOpened;
        progress.SetOverallRange(0, overallRange);
        progress.SetOverallPos(0);
    }
    return true;
}

void ScriptedInteraction::CloseProgress() {
    if (open) ++progressClosed;
    open = false;
}

void ScriptedInteraction::ProcessWaitingMessages() {
    ++pumps;
    if (onPump) onPump();
    if (cancelAtPump != 0 && pumps == cancelAtPump) state_.cancelRequested = true;
}
