#pragma once
// Folder jobs: the walk that shreds a tree, the removal of an emptied top
// folder, the run mode's entry for one command-line path, the byte total of a
// tree, and the pre-checks of a scheduled task. Results: 0 go on, 1 the job is
// to stop, 2 the third outcome each operation names.
//
// A walk never leaves the tree it was given: links (junctions, mount points,
// symbolic links, and the Unix links that Wine shows as plain entries) are
// neither entered, overwritten, renamed nor removed, nor are hard-linked
// files overwritten, and each is reported with its reason; an entry whose
// name or path the ANSI calls cannot reach exactly is reported with 9034 and
// left alone. Whatever is given up counts in itemsNotDone.
#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/EngineContext.h"
#include "engine/FileShredder.h"
#include "engine/FolderLinkGuard.h"
#include "engine/FolderWalkMode.h"
#include "engine/JobRequest.h"
#include "engine/StepResult.h"

class FreeSpaceJob;
class ProtectedFolderKeys;

class FolderShredder {
public:
    FolderShredder(EngineContext& context, FileShredder& files, FreeSpaceJob* freeSpace = nullptr)
        : context_(context), files_(files), freeSpace_(freeSpace) {}

    void SetFreeSpaceJob(FreeSpaceJob* job) { freeSpace_ = job; }

    // Shreds the tree below path (no trailing backslash) as mode says; the
    // folder itself stays. isSystem: the folder carries the System attribute.
    StepResult ShredFolder(const win::FsPath& path, bool isSystem, FolderWalkMode mode);
    // Removes the top folder of a job when nothing is left in it; a failed
    // removal is reported.
    void RemoveFolderIfEmpty(const win::FsPath& path);
    // One target of a job: a file, a folder, or a fixed drive's root (its
    // free space), as kind allows. kNotAnObject when the path names none of
    // these; a link or a hard-linked file is reported with its reason and
    // gives kGoOn. A folder is removed only when its walk ran and nothing in
    // it was refused or left.
    StepResult ShredPath(const win::FsPath& path, TargetKind kind = TargetKind::Any);
    // Bytes of every file below path, in every subfolder, links not followed.
    static uint64_t GetFolderSize(const win::FsPath& path);
    // The 64 KiB blocks a pass writes over every file below path.
    static uint64_t GetFolderBlocks(const win::FsPath& path);

    // Pre-checks of a scheduled task. A file: 0 leave it out, 1 give up the
    // task, 2 put it in.
    int CheckTaskFile(const win::FsPath& path);
    // A folder: 1 give up, 2 put it in. Turns a Prompt of the "Folder" and
    // "Remove" settings into the answer given.
    int CheckTaskFolder(const win::FsPath& path, bool isSystem);
    // A file met by the folder pre-scan: as CheckTaskFile, but NO puts it in.
    int CheckTaskFolderFile(const win::FsPath& path);

private:
    struct Options {
        int folder;
        int remove;
    };

    Options CurrentOptions() const;
    int Walk(const win::FsPath& path, bool isSystem, FolderWalkMode mode, const ProtectedFolderKeys& keys);
    int WalkFile(const win::FsPath& folder, const WIN32_FIND_DATAW& entry, const FolderLinkGuard& guard,
                 FolderWalkMode mode);
    int WalkSubfolder(const win::FsPath& folder, const WIN32_FIND_DATAW& entry, const FolderLinkGuard& guard,
                      FolderWalkMode mode, const Options& options, const ProtectedFolderKeys& keys);
    int RemoveWalkedSubfolder(const win::FsPath& path, FolderWalkMode mode, const Options& options);
    bool ConfirmSystemFolder(const win::FsPath& path, int& result);
    int AskAll(int messageId, const win::FsPath& path);
    // The path by which the walk may touch entry; empty when it may not.
    win::FsPath ReachablePath(const win::FsPath& folder, const WIN32_FIND_DATAW& entry, const FolderLinkGuard& guard,
                              size_t room);
    void ReportUnreachable(const win::FsPath& folder, const WIN32_FIND_DATAW& entry);
    // error 0: the removal was reported as done but the folder is still there.
    void ReportRemovalFailure(const win::FsPath& path, int error, unsigned flags);
    // An entry left alone on purpose, with its reason; named: the path was
    // given as a target.
    void ReportLeftAlone(const win::FsPath& path, FolderLinkGuard::Reach reach, bool named);
    void ReportDeclined(const win::FsPath& path);

    int CheckTaskEntry(const win::FsPath& path, bool insideFolder);
    int AskTaskOption(int messageId, const char* setting, int& value);
    void ShowUnreachableTaskEntry(const win::FsPath& folder, const WIN32_FIND_DATAW& entry);

    EngineContext& context_;
    FileShredder& files_;
    FreeSpaceJob* freeSpace_;
};
