#include "engine/FreeSpaceShredder.h"

#include "algorithms/AlgorithmList.h"
#include "algorithms/WriteBuffer.h"
#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/ChosenMethod.h"
#include "engine/DriveFreeSpace.h"
#include "engine/FileShredder.h"
#include "engine/MftRecordFill.h"
#include "engine/OverallRange.h"
#include "engine/ProgressControl.h"
#include "engine/Report.h"
#include "engine/SolidStateDrives.h"
#include "engine/TempFileTable.h"
#include "engine/TempFolder.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/SystemErrorText.h"
#include "win/WideText.h"
#include "engine/RedirectionGuard.h"

namespace {

constexpr DWORD kChunk = 65536;
constexpr int kWritesPerFile = 16384;  // of 64 KiB: 1 GiB

}  // namespace

bool FreeSpaceShredder::Warned() {
    if (context_.state.runMode) return true;
    const unsigned flags = MB_OKCANCEL | MB_ICONINFORMATION;
    if (context_.machine.isXpOrMe &&
        context_.ui.ShowMessage(context_.texts.Text(9026), context_.programCaption, flags) != IDOK)
        return false;
    return context_.ui.ShowMessage(context_.texts.Text(9027), context_.texts.Text(9063), flags) == IDOK;
}

bool FreeSpaceShredder::SpaceIsUsable(const std::string& driveName, const DriveSpace& space) {
    if (space.available == 0) {
        const int id = space.free != 0 ? 9045 : 9046;
        Report(context_, ReplaceAll(context_.texts.Text(id), "%c", driveName), MB_OK | MB_ICONERROR);
        return false;
    }
    if (space.available == space.free) return true;
    // A silent run logs the quota and goes on: nobody is there to answer.
    const int answer = Report(context_, context_.texts.Text(9033), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    return context_.state.runMode || answer == IDYES;
}

int FreeSpaceShredder::ShredFreeSpace(const std::string& root) {
    const RedirectionGuard redirection(context_.redirection);
    TellOfSolidStateDrive(context_, win::FsPath::FromCodePage(root));
    if (!Warned()) return 0;
    const int method = static_cast<int>(ChosenMethodIndex(context_));
    const std::string driveName = root.substr(0, 2);
    context_.state.cancelRequested = false;

    // Declared in this order, so the files always go before their folder.
    TempFolder folder(root);
    if (!folder.Open()) {
        Report(context_, context_.texts.Text(9012), MB_OK | MB_ICONERROR);
        return 0;
    }
    // Before measuring: what an interrupted job left is free space too.
    folder.RemoveLeftovers();
    mftRecords_ = 0;
    // Made now, while the folder's index still has room for its entry.
    MftRecordFill records(context_, win::FsPath::FromCodePage(root), win::FsPath::FromCodePage(folder.path()));
    records.Prepare();
    const DriveSpace space = QueryDriveFreeSpace(context_.machine.kernel, root);
    if (!SpaceIsUsable(driveName, space)) return 0;

    TempFileTable table;
    if (!table.Allocate(space.available / kFileLimit + 1)) {
        Report(context_, context_.texts.Text(9006), MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    const int32_t passes = context_.algorithms.at(static_cast<size_t>(method)).passCount() + (method != 0 ? 1 : 0);
    JobProgress progress;
    progress.AddBytes(space.available);
    context_.state.overallRange = progress.Range(passes);
    if (!ShowProgressDialog(context_)) return 0;

    // The records of deleted small files lie beyond the clusters: filled
    // once no cluster is left, so the MFT cannot grow instead.
    if (RunInDialog(table, folder.path(), driveName, method) && !context_.state.cancelRequested)
        mftRecords_ = records.Fill();
    DeleteTempFiles(table);
    records.Remove();
    folder.Remove();
    // Once the files are gone their blocks are free: the drive may drop them.
    TrimShreddedFreeSpace(context_, root);
    CloseProgressDialog(context_);
    if (mftRecords_ != 0 && context_.state.runMode)
        context_.log.Note(MftRecordsText(context_, mftRecords_, driveName));
    // Nothing keeps the focus the closed dialog had.
    ::SetFocus(nullptr);
    return context_.state.cancelRequested ? 1 : 0;
}

bool FreeSpaceShredder::RunInDialog(TempFileTable& table, const std::string& folder, const std::string& driveName,
                                    int method) {
    ProgressView& progress = context_.ui.Progress();
    progress.SetTitle(context_.texts.Text(9917) + " " + driveName);
    progress.SetStatus(context_.texts.Text(9908));
    progress.SetDetail(context_.texts.Text(9909));
    progress.SetItemRange(0, static_cast<int>(table.size()));
    progress.SetItemPos(0);
    progress.ShowAndEnable();
    progress.Repaint();
    ShredRandom notDrawn;  // a pattern fill without bytes is all zeros
    context_.buffer.FillWriteBuffer(FillMode::Pattern, nullptr, 0, notDrawn);

    bool filled = false;
    const size_t created = FillDrive(table, folder, method, filled);
    // Quick Shred's zeros are its one pass: they are written already.
    if (filled && method != 0 && created > 0 && !context_.state.cancelRequested) ShredTempFiles(table, created);
    return filled;
}

size_t FreeSpaceShredder::FillDrive(TempFileTable& table, const std::string& folder, int method, bool& filled) {
    const std::string verb = context_.texts.Text(method != 0 ? 9916 : 9915);
    const std::string status = ReplaceAll(context_.texts.Text(9914), "%s", verb);
    const std::string count = std::to_string(table.size());
    size_t created = 0;
    for (size_t index = 0; index < table.size(); ++index) {
        if (!table.Create(index, folder)) {
            Report(context_, context_.texts.Text(9013), MB_OK | MB_ICONERROR);
            return created;
        }
        ++created;
        context_.ui.Progress().SetStatus(ReplaceAll(ReplaceAll(status, "%u", std::to_string(created)), "%t", count));
        const int result = FillTempFile(table[index]);
        if (result == WriteFailed || result == Cancelled) return created;
    }
    filled = true;
    return created;
}

void FreeSpaceShredder::ShredTempFiles(TempFileTable& table, size_t created) {
    for (size_t item = 1; item <= created; ++item) {
        if (context_.state.cancelRequested) return;
        if (files_.ShredFile(table[item - 1], static_cast<uint32_t>(item), static_cast<uint32_t>(created)) != 0)
            return;
    }
}

void FreeSpaceShredder::DeleteTempFiles(TempFileTable& table) {
    ProgressView& progress = context_.ui.Progress();
    progress.SetStatus(context_.texts.Text(9911));
    progress.SetDetail(context_.texts.Text(9912));
    progress.SetItemRange(0, static_cast<int>(table.size()));
    progress.SetItemPos(0);
    progress.EnableCancel(false);
    progress.Repaint();
    for (size_t index = 0; index < table.size(); ++index) {
        table.Release(index);
        progress.SetItemPos(static_cast<int>(index + 1));
        progress.Repaint();
    }
}

// The zeros must reach the disk before the file is deleted: where writes
// are cached despite write-through, the data of a deleted file is dropped
// unwritten and the old contents stay in the freed blocks.
int FreeSpaceShredder::Flushed(TempFileSlot& slot, int result) {
    ::FlushFileBuffers(slot.handle.Get());
    return result;
}

int FreeSpaceShredder::FillTempFile(TempFileSlot& slot) {
    ProgressView& progress = context_.ui.Progress();
    progress.SetItemRange(0, kWritesPerFile);
    progress.SetItemPos(0);
    DWORD chunk = kChunk;
    int writes = 0;
    for (;;) {
        DWORD done = 0;
        const BOOL written = ::WriteFile(slot.handle.Get(), context_.buffer.data(), chunk, &done, nullptr);
        // A write that reports success without a byte is as good as refused:
        // taken as written it would loop for ever.
        if (!written || done == 0) {
            // What is left of the drive may still take smaller pieces.
            if (chunk > kSmallestChunk) {
                chunk /= 2;
                continue;
            }
            const DWORD error = written ? static_cast<DWORD>(ERROR_DISK_FULL) : ::GetLastError();
            if (error == ERROR_DISK_FULL) return Flushed(slot, DriveFull);
            ReportWriteFailure(error);
            return WriteFailed;
        }
        // A short write filled the drive's last room; the next one finds it full.
        ++writes;
        progress.SetItemPos(writes);
        progress.SetOverallPos(progress.OverallPos() + 1);
        slot.bytesWritten += done;
        if (slot.bytesWritten >= kFileLimit) return Flushed(slot, FileFull);
        context_.ui.ProcessWaitingMessages();
        if (context_.state.cancelRequested) return Cancelled;
    }
}

void FreeSpaceShredder::ReportWriteFailure(DWORD error) {
    std::string text = ReplaceAll(context_.texts.Text(9047), "%s", win::SystemErrorText(error, 255));
    char code[16];
    wsprintfA(code, " %08X", static_cast<unsigned>(error));
    Report(context_, text + code, MB_OK | MB_ICONINFORMATION);
}
