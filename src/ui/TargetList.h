#pragma once
// A page's list of paths and the list view that shows them, kept in step:
// row i shows entry i, so what the user sees is what a job walks. Paths are
// shown as themselves, in any script.
#include <windows.h>

#include <string>
#include <vector>

#include "win/AutoFitListCtrl.h"
#include "win/FsPath.h"

class TargetList {
public:
    void Attach(HWND listView) { view_.Attach(listView); }
    win::AutoFitListCtrl& view() { return view_; }

    // A row whose text equals path, letter case ignored.
    bool Contains(const win::FsPath& path) const { return view_.FindExact(path.Text()) >= 0; }
    // Appends path unless it is listed already; true when added.
    bool Add(const win::FsPath& path);
    // Removes every selected row with its entry; answers how many.
    int RemoveSelected();
    void Clear();
    // Only these stay, in this order.
    void Keep(const std::vector<win::FsPath>& paths);

    const std::vector<win::FsPath>& paths() const { return paths_; }
    bool empty() const { return paths_.empty(); }

private:
    win::AutoFitListCtrl view_;
    std::vector<win::FsPath> paths_;
};
