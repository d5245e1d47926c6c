#include "engine/RedirectionOnInteraction.h"

int RedirectionOnInteraction::ShowMessage(const std::wstring& text, const std::string& caption, unsigned flags) {
    const RedirectionPause pause(functions_);
    return inner_.ShowMessage(text, caption, flags);
}

int RedirectionOnInteraction::ConfirmAll(const std::string& caption, const std::wstring& text, int style) {
    const RedirectionPause pause(functions_);
    return inner_.ConfirmAll(caption, text, style);
}

void RedirectionOnInteraction::ShowSystemError(unsigned long code) {
    const RedirectionPause pause(functions_);
    inner_.ShowSystemError(code);
}

NoticeAnswer RedirectionOnInteraction::ShowNotice(NoticeKind kind) {
    const RedirectionPause pause(functions_);
    return inner_.ShowNotice(kind);
}

bool RedirectionOnInteraction::OpenProgress(int overallRange) {
    const RedirectionPause pause(functions_);
    return inner_.OpenProgress(overallRange);
}

void RedirectionOnInteraction::CloseProgress() {
    const RedirectionPause pause(functions_);
    inner_.CloseProgress();
}

// Another window's message may be handled here, with whatever it loads.
void RedirectionOnInteraction::ProcessWaitingMessages() {
    const RedirectionPause pause(functions_);
    inner_.ProcessWaitingMessages();
}
