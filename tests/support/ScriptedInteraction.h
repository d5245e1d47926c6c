#pragma once
// A stand-in for the dialogs: records every text, caption and flag shown and
// answers as the test told it, including a Cancel at a chosen block.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/EngineState.h"
#include "engine/UserInteraction.h"
#include "win/WideText.h"

// Texts are recorded in UTF-8, so that a test compares them with its literals.
struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

struct ShownConfirm {
    std::string caption;
    std::string text;
    int style = 0;
};

class RecordingProgress final : public ProgressView {
public:
    void SetTitle(const std::string& text) override { titles.push_back(text); }
    void SetStatus(const std::wstring& text) override { statuses.push_back(win::ToUtf8(text)); }
    void SetDetail(const std::string& text) override { details.push_back(text); }
    void SetItemRange(int low, int high) override { itemLow = low, itemHigh = high; }
    void SetItemPos(int position) override { itemPos = position; }
    int ItemPos() override { return itemPos; }
    void SetOverallRange(int low, int high) override { overallLow = low, overallHigh = high; }
    void SetOverallPos(int position) override { overallPos = position; }
    int OverallPos() override { return overallPos; }
    void EnableCancel(bool enable) override { cancelEnabled = enable; }
    void ShowAndEnable() override { ++shown; }
    void Repaint() override { ++repaints; }

    std::vector<std::string> titles, statuses, details;
    int itemLow = 0, itemHigh = 0, itemPos = 0;
    int overallLow = 0, overallHigh = 0, overallPos = 0;
    bool cancelEnabled = true;
    int shown = 0, repaints = 0;
};

class ScriptedInteraction final : public UserInteraction {
public:
    explicit ScriptedInteraction(EngineState& state) : state_(state) {}

    // Answers, taken in order; when a queue is empty: IDOK, and Yes for the box.
    std::deque<int> messageAnswers;
    std::deque<int> confirmAnswers;  // a ConfirmAllResult; 1026 stands for NO TO ALL
    std::deque<NoticeAnswer> noticeAnswers;  // empty: OK without the box ticked
    static constexpr int kNoToAll = 1026;

    // Sets cancelRequested during the given message pump (1-based), 0 = never.
    int cancelAtPump = 0;
    // Called at every pump, after the block has been written.
    std::function<void()> onPump;
    // Makes the progress dialog fail to open.
    bool failProgress = false;

    std::vector<ShownMessage> messages;
    std::vector<ShownConfirm> confirms;
    std::vector<unsigned long> systemErrors;
    std::vector<NoticeKind> notices;
    RecordingProgress progress;
    int progressOpened = 0;   // dialogs created
    int progressClosed = 0;
    int pumps = 0;
    bool open = false;

    using UserInteraction::ShowMessage;
    using UserInteraction::ConfirmAll;
    int ShowMessage(const std::wstring& text, const std::string& caption, unsigned flags) override;
    int ConfirmAll(const std::string& caption, const std::wstring& text, int style) override;
    void ShowSystemError(unsigned long code) override { systemErrors.push_back(code); }
    NoticeAnswer ShowNotice(NoticeKind kind) override;
    bool OpenProgress(int overallRange) override;
    void CloseProgress() override;
    bool ProgressOpen() const override { return open; }
    ProgressView& Progress() override { return progress; }
    void ProcessWaitingMessages() override;

private:
    EngineState& state_;
};
