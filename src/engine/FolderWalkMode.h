#pragma once

// How ShredFolder treats a tree. Any non-zero mode reaches the subfolders as
// Purge, so the two purge modes differ only at the top level.
enum class FolderWalkMode : int {
    Interactive = 0,          // the subfolder options apply; protected and System folders are guarded
    Purge = 1,                // everything is shredded and removed, nothing is asked or reported
    PurgeKeepFirstLevel = 2,  // as Purge, but the direct subfolders are only emptied
};

// Values of the "Folder" and "Remove" settings and of "/F" and "/R": the index
// of the radio button in the subfolder options dialog.
enum SubfolderOption : int {
    Never = 0,
    Prompt = 1,
    Always = 2,
};
