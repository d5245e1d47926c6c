#pragma once
// Overwrites one file with every pass of the chosen algorithm from the shared
// buffer, then cuts it to zero length, renames it to random letters and
// deletes it. Its named streams go the same way first, and with the job's
// verification the last pass of each is read back before anything is cut. Results: 0 go on with the next item, 1 stop the whole job.
// Every file given up on, for whatever reason, counts in itemsNotDone.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "algorithms/ShredRandom.h"
#include "engine/EngineContext.h"
#include "engine/PassVerifier.h"
#include "engine/StepResult.h"
#include "win/FsPath.h"
#include "win/UniqueResource.h"

struct ShredAlgorithm;
struct TempFileSlot;

enum class ShredFileMode : int {
    Confirm = 0,       // attribute warning asked; open failures let the job go on
    NoConfirm = 1,     // nothing asked; open failures stop the job
    ContentsOnly = 2,  // overwritten and cut, but kept under its own name
};

class FileShredder {
public:
    explicit FileShredder(EngineContext& context) : context_(context) {}

    StepResult ShredFile(const win::FsPath& path, ShredFileMode mode) { return Step(ShredNamedFile(path, mode)); }
    // A temporary file of the free-space job: overwritten through its open
    // handle, which stays open, and keeps its length.
    StepResult ShredFile(TempFileSlot& slot, uint32_t itemNumber, uint32_t itemCount) {
        return Step(ShredSlot(slot, itemNumber, itemCount));
    }

private:
    static StepResult Step(int result) { return result == 0 ? kGoOn : kStop; }
    int ShredNamedFile(const win::FsPath& path, ShredFileMode mode);
    int ShredSlot(TempFileSlot& slot, uint32_t itemNumber, uint32_t itemCount);
    enum class PassOutcome { Done, Cancelled, SeekFailed, WriteFailed, KeptGrowing };
    struct NamedStream {
        win::FsPath path;  // "file:name"
        win::UniqueHandle handle;
    };
    // What became of one data stream: overwritten (or cancelled on the way),
    // or kept, already reported, with what ShredFile answers for it.
    struct DataResult {
        bool kept = false;
        int result = 0;
    };

    const ShredAlgorithm& ChosenAlgorithm() const;
    bool StartItem();
    // movesOverall: the file's own data moves the overall bar; its streams,
    // which the job's range does not count, move the item bar only.
    PassOutcome OverwriteAllPasses(HANDLE file, uint64_t size, const ShredAlgorithm& algorithm, DWORD& error,
                                   bool movesOverall = true);
    PassOutcome OverwriteWhileGrowing(HANDLE file, uint64_t size, const ShredAlgorithm& algorithm, DWORD& error,
                                      bool movesOverall);
    DataResult OverwriteData(win::UniqueHandle& file, uint64_t size, const win::FsPath& path,
                             const ShredAlgorithm& algorithm, ShredFileMode mode, bool movesOverall);
    DataResult VerifyLastPass(win::UniqueHandle& file, uint64_t size, const win::FsPath& path, ShredFileMode mode,
                              bool movesOverall);
    // False, with the stream that would not open, when any of them will not.
    bool OpenNamedStreams(const win::FsPath& path, std::vector<NamedStream>& streams, win::FsPath& refused);
    int ShredNamedStreams(const win::FsPath& path, std::vector<NamedStream>& streams,
                          const ShredAlgorithm& algorithm, ShredFileMode mode);
    void NoteStreams(const win::FsPath& path, size_t count);
    void RemoveNamedStreams(std::vector<NamedStream>& streams);
    static uint64_t CurrentSize(HANDLE file, const WIN32_FILE_ATTRIBUTE_DATA& status);
    std::string PassDetail(const ShredAlgorithm& algorithm, int passNumber) const;
    const std::string& CachedPassDetail(const ShredAlgorithm& algorithm, int passNumber);
    void ReportWriteFailure(DWORD error, const std::wstring& path);
    void ReportSystemError(DWORD error);
    bool ConfirmAttributes(const win::FsPath& path, DWORD attributes, ShredFileMode mode, int& result);
    int RemoveFile(const win::FsPath& path, ShredFileMode mode);
    wchar_t RandomLetter();

    EngineContext& context_;
    ShredRandom random_;
    const ShredAlgorithm* passDetailsFor_ = nullptr;
    std::vector<std::string> passDetails_;
    PassVerifier verifier_;
};
