#pragma once
// The folders of System Restore points: the "RP<n>" folders of a point under
// "System Volume Information" on every fixed drive, a page's list of them,
// and their shredding, one by one or all at once.
//
// Nothing outside the job's targets is touched: a "System Volume
// Information" or an "RP<n>" that is a link or a file is passed over, and
// the walk below them never follows a link.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/EngineContext.h"
#include "engine/RestorePointSource.h"

class FolderShredder;

class RestorePointShredder {
public:
    RestorePointShredder(EngineContext& context, FolderShredder& folders,
                         std::vector<RestorePointRecord>& restorePoints)
        : context_(context), folders_(folders), restorePoints_(restorePoints) {}

    // Appends every existing "X:\System Volume Information\<subfolder>\RP<n>"
    // of the fixed drives, in drive order, that the list does not hold yet.
    // The number is named as the system names it, unsigned.
    void FindRestorePointFolders(int16_t sequenceNumber, std::vector<std::string>& folderList) const;
    // Drops the entries whose last part is "RP<n>", letter case ignored.
    static void RemoveRestorePointFolders(int16_t sequenceNumber, std::vector<std::string>& folderList);
    // Drops the first point whose number ends folderPath.
    void ForgetRestorePoint(const std::string& folderPath);
    // Shreds the listed folders, removes each one emptied and forgets its
    // point. The caller closes the progress dialog.
    void ShredRestorePointFolders(const std::vector<std::string>& folderList);
    // Asks first; then shreds "System Volume Information" on every fixed
    // drive and removes it when nothing is left. False when declined.
    bool ShredRestorePoints();

private:
    void ShredListedFolder(const std::string& folder);
    void ShredVolumeFolder(const std::string& root);
    std::string RemovalFailureText(const std::string& path, int error) const;

    EngineContext& context_;
    FolderShredder& folders_;
    std::vector<RestorePointRecord>& restorePoints_;
};
