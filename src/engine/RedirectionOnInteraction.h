#pragma once
// The dialogs a job shows, with file-system redirection on while they are
// shown: a dialog may load system libraries, which must be the program's
// 32-bit ones (see RedirectionGuard). Everything else is the inner one's.
#include "engine/RedirectionGuard.h"
#include "engine/UserInteraction.h"

class RedirectionOnInteraction final : public UserInteraction {
public:
    RedirectionOnInteraction(UserInteraction& inner, RedirectionFunctions* functions)
        : inner_(inner), functions_(functions) {}

    using UserInteraction::ConfirmAll;
    using UserInteraction::ShowMessage;
    int ShowMessage(const std::wstring& text, const std::string& caption, unsigned flags) override;
    int ConfirmAll(const std::string& caption, const std::wstring& text, int style) override;
    void ShowSystemError(unsigned long code) override;
    NoticeAnswer ShowNotice(NoticeKind kind) override;
    bool OpenProgress(int overallRange) override;
    void CloseProgress() override;
    bool ProgressOpen() const override { return inner_.ProgressOpen(); }
    // Its controls only take window messages.
    ProgressView& Progress() override { return inner_.Progress(); }
    void ProcessWaitingMessages() override;

private:
    UserInteraction& inner_;
    RedirectionFunctions* functions_;
};
