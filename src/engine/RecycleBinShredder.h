#pragma once
// The Recycle Bin job: every local hard drive's bin, one drive after the
// other, has its items overwritten where they lie, is emptied by the shell
// and gets its desktop.ini back. The bin's own files (INFO2, desktop.ini)
// are never overwritten. From Vista on the bin is "$Recycle.Bin\<SID>":
// its "$R" items and "$I" records are shredded and removed by the job.
//
// Nothing outside a bin folder is touched: a bin folder reached through a
// link is skipped as one that cannot be listed, and links inside a bin are
// neither entered nor overwritten.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/EngineContext.h"
#include "engine/RecycleBinLayout.h"
#include "engine/RecycleBinShell.h"
#include "win/FsPath.h"

class FileShredder;
class FolderLinkGuard;
class FolderShredder;

class RecycleBinShredder {
public:
    RecycleBinShredder(EngineContext& context, FolderShredder& folders, FileShredder& files, RecycleBinShell& shell)
        : context_(context), folders_(folders), files_(files), shell_(shell) {}

    void ShredRecycleBin();
    // True when no bin holds anything, and also when the shell cannot tell.
    bool RecycleBinIsEmpty();

private:
    struct Survey {
        int64_t items = 0;
        int64_t bytes = 0;
    };

    void Run();
    bool SurveyBins(Survey& survey);
    bool Confirmed();
    // false when the job is to stop.
    bool ShredDrive(size_t drive);
    // The folders from the drive's root down to its bin.
    std::vector<std::string> BinFolderSteps(size_t drive) const;
    std::string BinFolderText(size_t drive) const;  // with its trailing backslash
    // The bin folder without its trailing backslash; empty when it is not
    // known or is reached through a link.
    win::FsPath OwnBinFolder(size_t drive) const;
    // false when the folder cannot be listed.
    bool ShredEntries(const win::FsPath& folder, RecycleBinLayout layout);
    int ShredEntry(const win::FsPath& folder, const WIN32_FIND_DATAW& entry, const FolderLinkGuard& guard,
                   RecycleBinLayout layout, BinEntryRole round);
    int ShredVistaFolder(const win::FsPath& path, bool isSystem);
    void EmptyBin(size_t drive);
    void WriteDesktopIni(const win::FsPath& folder);

    EngineContext& context_;
    FolderShredder& folders_;
    FileShredder& files_;
    RecycleBinShell& shell_;
};
