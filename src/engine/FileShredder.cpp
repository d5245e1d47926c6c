#include "engine/FileShredder.h"

#include "algorithms/AlgorithmList.h"
#include "engine/ActivityLog.h"
#include "algorithms/WriteBuffer.h"
#include "engine/Clock.h"
#include "engine/ChosenMethod.h"
#include "engine/EngineState.h"
#include "engine/SettingsStore.h"
#include "engine/FileNameParts.h"
#include "engine/ProgressControl.h"
#include "engine/Report.h"
#include "engine/TempFileSlot.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/FileSystem.h"
#include "win/SystemErrorText.h"
#include "win/UniqueResource.h"

namespace {

constexpr DWORD kWarnedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr int kRenameAttempts = 8;
// A file that another program keeps appending to is overwritten again over
// its new length at most this many times before it is given up.
constexpr int kOverwriteRounds = 3;

// Block steps of one pass: the data blocks plus one or two that only move the bars.
uint64_t BlockSteps(uint64_t size) { return (size >> 16) + 2; }

bool SeekToStart(HANDLE file) {
    LARGE_INTEGER zero{};
    return ::SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) != FALSE;
}


}  // namespace

const ShredAlgorithm& FileShredder::ChosenAlgorithm() const {
    return ChosenShredAlgorithm(context_);
}

bool FileShredder::StartItem() {
    random_.Seed(static_cast<uint32_t>(context_.clock.Now()));
    // The pass texts are built once per job: each look-up reads the language pack.
    if (!context_.ui.ProgressOpen()) passDetails_.clear();
    if (!ShowProgressDialog(context_)) return false;
    context_.ui.Progress().ShowAndEnable();
    return true;
}

const std::string& FileShredder::CachedPassDetail(const ShredAlgorithm& algorithm, int passNumber) {
    if (passDetailsFor_ != &algorithm || passDetails_.size() != algorithm.passes.size()) {
        passDetails_.clear();
        for (int pass = 1; pass <= algorithm.passCount(); ++pass) passDetails_.push_back(PassDetail(algorithm, pass));
        passDetailsFor_ = &algorithm;
    }
    return passDetails_[static_cast<size_t>(passNumber - 1)];
}

std::string FileShredder::PassDetail(const ShredAlgorithm& algorithm, int passNumber) const {
    const ShredPass& pass = algorithm.passes[static_cast<size_t>(passNumber - 1)];
    std::string text = context_.texts.Text(9921);
    text = ReplaceAll(text, "%d", std::to_string(passNumber));
    text = ReplaceAll(text, "%e", std::to_string(algorithm.passCount()));
    if (pass.IsRandom()) return text + context_.texts.Text(9923);
    if (pass.IsComplement()) return text + context_.texts.Text(9924);
    text += context_.texts.Text(9922) + " 0x";
    for (uint8_t byte : pass.pattern) text += ByteToHex(byte);
    return text;
}

FileShredder::PassOutcome FileShredder::OverwriteAllPasses(HANDLE file, uint64_t size,
                                                           const ShredAlgorithm& algorithm, DWORD& error,
                                                           bool movesOverall) {
    ProgressView& progress = context_.ui.Progress();
    const uint64_t steps = BlockSteps(size);
    progress.SetItemRange(0, static_cast<int>(steps));
    progress.SetItemPos(0);

    for (int passNumber = 1; passNumber <= algorithm.passCount(); ++passNumber) {
        context_.buffer.FillForPass(algorithm.passes[static_cast<size_t>(passNumber - 1)], random_);
        progress.SetDetail(CachedPassDetail(algorithm, passNumber));
        if (!SeekToStart(file)) {
            error = ::GetLastError();
            return PassOutcome::SeekFailed;
        }
        uint64_t written = 0;
        for (uint64_t block = 1; block <= steps; ++block) {
            if (context_.state.cancelRequested) break;
            const uint64_t left = size - written;
            const DWORD chunk = static_cast<DWORD>(left < WriteBuffer::kSize ? left : WriteBuffer::kSize);
            if (chunk > 0) {
                DWORD done = 0;
                if (!::WriteFile(file, context_.buffer.data(), chunk, &done, nullptr) || done != chunk) {
                    error = ::GetLastError();
                    if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
                    return PassOutcome::WriteFailed;
                }
                written += chunk;
                // The overall bar counts written blocks, as the job's range does.
                if (movesOverall) progress.SetOverallPos(progress.OverallPos() + 1);
            }
            progress.SetItemPos(static_cast<int>(block));
            progress.Repaint();
            context_.ui.ProcessWaitingMessages();
        }
        // Write-through is asked for, but not every file system honours it:
        // each pass must be on the disk before the next one begins.
        ::FlushFileBuffers(file);
        if (context_.state.cancelRequested) return PassOutcome::Cancelled;
    }
    return PassOutcome::Done;
}

void FileShredder::ReportWriteFailure(DWORD error, const std::wstring& path) {
    std::string text = ReplaceAll(context_.texts.Text(9047), "%s", win::SystemErrorText(error, 255));
    char code[16];
    wsprintfA(code, " %08X", static_cast<unsigned>(error));
    Report(context_, WithPath(text + code + context_.texts.Text(15001), path), MB_OK | MB_ICONERROR);
}

// A silent run has nobody to close a box: its system errors go to the log.
void FileShredder::ReportSystemError(DWORD error) {
    ++context_.state.itemsNotDone;
    if (context_.state.runMode)
        context_.log.Write(win::SystemErrorText(error, 100));
    else
        context_.ui.ShowSystemError(error);
}

bool FileShredder::ConfirmAttributes(const win::FsPath& path, DWORD attributes, ShredFileMode mode, int& result) {
    if ((attributes & kWarnedAttributes) == 0 || mode != ShredFileMode::Confirm ||
        context_.state.answers.attributeYesToAll)
        return true;
    if (context_.state.runMode) {
        context_.state.answers.attributeYesToAll = true;
        return true;
    }
    const std::wstring text = WithPath(context_.texts.Text(9036), path.Text());
    switch (context_.ui.ConfirmAll(context_.programCaption, text, ConfirmStyleYesNoAll)) {
    case ConfirmNo: result = 0; return false;
    case ConfirmYesToAll: context_.state.answers.attributeYesToAll = true; return true;
    case ConfirmYes: return true;
    default: result = 1; return false;
    }
}

wchar_t FileShredder::RandomLetter() {
    for (;;) {
        const signed char c = static_cast<signed char>(random_.Next() & 0xFF);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return static_cast<wchar_t>(c);
    }
}

int FileShredder::RemoveFile(const win::FsPath& path, ShredFileMode mode) {
    const FileNameParts parts = SplitFileName(path.Text());
    // Only ever delete the name this file was just given, or its own name when
    // no free random name could be taken.
    win::FsPath doomed = path;
    bool renamed = false;
    if (parts.baseLength + parts.extensionLength > 0) {
        for (int attempt = 0; attempt < kRenameAttempts && !renamed; ++attempt) {
            std::wstring candidate = path.Text();
            for (size_t i = 0; i < parts.baseLength; ++i) candidate[parts.baseStart + i] = RandomLetter();
            for (size_t i = 0; i < parts.extensionLength; ++i) candidate[parts.extensionStart + i] = RandomLetter();
            // MoveFile never replaces a name that exists: a taken name just fails.
            if (win::fs::Move(path, win::FsPath(candidate))) {
                doomed = win::FsPath(candidate);
                renamed = true;
            }
        }
    }
    const bool reportedDeleted = win::fs::Delete(doomed);
    // Some file systems take the deletion without changing anything: only a
    // name that is gone counts.
    if (reportedDeleted && !win::fs::Exists(doomed)) return 0;
    ++context_.state.itemsNotDone;
    if (reportedDeleted) {
        Report(context_, WithPath(context_.texts.Text(15008), doomed.Text()), MB_OK | MB_ICONERROR);
        return 0;
    }
    if (mode != ShredFileMode::Confirm) {
        if (context_.state.runMode) context_.log.Write(WithPath(context_.texts.Text(15003), doomed.Text()));
        return 0;
    }

    if (renamed) win::fs::Move(doomed, path);
    const std::wstring text = WithPath(context_.texts.Text(9038), path.Text());
    return Report(context_, text, MB_OKCANCEL | MB_ICONERROR) == IDCANCEL ? 1 : 0;
}

int FileShredder::ShredNamedFile(const win::FsPath& path, ShredFileMode mode) {
    const ShredAlgorithm& algorithm = ChosenAlgorithm();
    if (!StartItem()) return 1;
    context_.ui.Progress().SetStatus(path.Text());

    WIN32_FILE_ATTRIBUTE_DATA status{};
    if (!win::fs::AttributeData(path, status)) {
        Report(context_, WithPath(context_.texts.Text(9034), path.Text()), MB_OK | MB_ICONERROR);
        return 0;
    }
    int refused = 0;
    if (!ConfirmAttributes(path, status.dwFileAttributes, mode, refused)) {
        ++context_.state.itemsNotDone;
        return refused;
    }
    win::fs::SetAttributes(path, FILE_ATTRIBUTE_NORMAL);

    win::UniqueHandle file = win::fs::Open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH);
    if (!file) {
        // Logged in every mode: a silent run must not end in "Success" for it.
        ++context_.state.itemsNotDone;
        const std::wstring text = WithPath(context_.texts.Text(9037), path.Text());
        if (!context_.state.runMode)
            context_.ui.ShowMessage(text, context_.programCaption, MB_OK | MB_ICONERROR);
        else
            context_.log.Write(text);
        return mode == ShredFileMode::Confirm ? 0 : 1;
    }

    std::vector<NamedStream> streams;
    win::FsPath unopened;
    if (!OpenNamedStreams(path, streams, unopened)) {
        // Found before anything is written: the file is left whole.
        ++context_.state.itemsNotDone;
        const std::wstring text = WithPath(context_.texts.Text(15312), unopened.Text());
        if (!context_.state.runMode)
            context_.ui.ShowMessage(text, context_.programCaption, MB_OK | MB_ICONERROR);
        else
            context_.log.Write(text);
        return mode == ShredFileMode::Confirm ? 0 : 1;
    }
    const int streamsKept = ShredNamedStreams(path, streams, algorithm, mode);
    if (streamsKept >= 0) return streamsKept;
    context_.ui.Progress().SetStatus(path.Text());

    if (!context_.state.cancelRequested) {
        const DataResult data =
            OverwriteData(file, CurrentSize(file.Get(), status), path, algorithm, mode, /*movesOverall=*/true);
        if (data.kept) return data.result;
    }

    // A cancelled file is still cut and deleted: part of it is overwritten already.
    if (!SeekToStart(file.Get())) {
        ReportSystemError(::GetLastError());
        return 1;
    }
    ::SetEndOfFile(file.Get());
    file.Reset();
    RemoveNamedStreams(streams);

    if (mode != ShredFileMode::ContentsOnly && RemoveFile(path, mode) == 1) return 1;
    return context_.state.cancelRequested ? 1 : 0;
}

FileShredder::DataResult FileShredder::OverwriteData(win::UniqueHandle& file, uint64_t size, const win::FsPath& path,
                                                     const ShredAlgorithm& algorithm, ShredFileMode mode,
                                                     bool movesOverall) {
    DWORD error = 0;
    switch (OverwriteWhileGrowing(file.Get(), size, algorithm, error, movesOverall)) {
    case PassOutcome::SeekFailed: ReportSystemError(error); return DataResult{true, 1};
    case PassOutcome::WriteFailed:
        // A file that was not wholly overwritten is left under its own name.
        file.Reset();
        ReportWriteFailure(error, path.Text());
        return DataResult{true, mode == ShredFileMode::Confirm ? 0 : 1};
    case PassOutcome::KeptGrowing:
        file.Reset();
        Report(context_, WithPath(context_.texts.Text(15004), path.Text()), MB_OK | MB_ICONERROR);
        return DataResult{true, 0};
    case PassOutcome::Cancelled: return DataResult{};
    case PassOutcome::Done: break;
    }
    if (!context_.state.job.verify) return DataResult{};
    LARGE_INTEGER now{};
    if (::GetFileSizeEx(file.Get(), &now) && static_cast<uint64_t>(now.QuadPart) < size)
        size = static_cast<uint64_t>(now.QuadPart);
    return VerifyLastPass(file, size, path, mode, movesOverall);
}

// The buffer still holds what the last pass wrote: nothing fills it between
// the last block and the read-back.
FileShredder::DataResult FileShredder::VerifyLastPass(win::UniqueHandle& file, uint64_t size, const win::FsPath& path,
                                                      ShredFileMode mode, bool movesOverall) {
    ProgressView& progress = context_.ui.Progress();
    progress.SetDetail(context_.texts.Text(15315));
    progress.SetItemRange(0, static_cast<int>(BlockSteps(size)));
    progress.SetItemPos(0);
    int block = 0;
    const PassVerifier::Outcome outcome =
        verifier_.Verify(path, file.Get(), size, context_.buffer.data(), [&] {
            progress.SetItemPos(++block);
            if (movesOverall) progress.SetOverallPos(progress.OverallPos() + 1);
            progress.Repaint();
            context_.ui.ProcessWaitingMessages();
            return !context_.state.cancelRequested;
        });
    if (outcome.result == PassVerifier::Result::Same || outcome.result == PassVerifier::Result::Cancelled)
        return DataResult{};
    file.Reset();
    std::string text = context_.texts.Text(outcome.result == PassVerifier::Result::Differs ? 15311 : 15314);
    // The offset first, so that a path holding "%u" stays whole.
    text = ReplaceAll(text, "%u", std::to_string(outcome.offset));
    Report(context_, WithPath(text, path.Text()), MB_OK | MB_ICONERROR);
    return DataResult{true, mode == ShredFileMode::Confirm ? 0 : 1};
}

uint64_t FileShredder::CurrentSize(HANDLE file, const WIN32_FILE_ATTRIBUTE_DATA& status) {
    // The status only holds the size as it was; the handle gives all 64 bits now.
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file, &size)) return static_cast<uint64_t>(size.QuadPart);
    return (static_cast<uint64_t>(status.nFileSizeHigh) << 32) | status.nFileSizeLow;
}

// Another program may append while the passes run: what it added is
// overwritten by every pass as well, or the file is given up.
FileShredder::PassOutcome FileShredder::OverwriteWhileGrowing(HANDLE file, uint64_t size,
                                                              const ShredAlgorithm& algorithm, DWORD& error,
                                                              bool movesOverall) {
    for (int round = 1;; ++round) {
        const PassOutcome outcome = OverwriteAllPasses(file, size, algorithm, error, movesOverall);
        if (outcome != PassOutcome::Done) return outcome;
        LARGE_INTEGER now{};
        if (!::GetFileSizeEx(file, &now) || static_cast<uint64_t>(now.QuadPart) <= size) return outcome;
        if (round == kOverwriteRounds) return PassOutcome::KeptGrowing;
        size = static_cast<uint64_t>(now.QuadPart);
    }
}

int FileShredder::ShredSlot(TempFileSlot& slot, uint32_t itemNumber, uint32_t itemCount) {
    const ShredAlgorithm& algorithm = ChosenAlgorithm();
    if (!StartItem()) return 1;
    std::string status = ReplaceAll(context_.texts.Text(9919), "%s", slot.path);
    status = ReplaceAll(status, "%u", std::to_string(itemNumber));
    status = ReplaceAll(status, "%t", std::to_string(itemCount));
    context_.ui.Progress().SetStatus(status);

    // Not read back even when the job verifies: the free-space job opened the
    // handle for its own use, and reading a whole drive's free space again
    // would double a job that already runs for hours. Write errors still count.
    DWORD error = 0;
    switch (OverwriteAllPasses(slot.handle.Get(), slot.bytesWritten, algorithm, error)) {
    case PassOutcome::SeekFailed: ReportSystemError(error); return 1;
    case PassOutcome::WriteFailed: ReportWriteFailure(error, win::WidenAnsi(slot.path)); return 1;
    case PassOutcome::KeptGrowing:
    case PassOutcome::Done:
    case PassOutcome::Cancelled: break;
    }
    return context_.state.cancelRequested ? 1 : 0;
}
