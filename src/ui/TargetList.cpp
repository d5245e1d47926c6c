#include "ui/TargetList.h"

bool TargetList::Add(const win::FsPath& path) {
    if (Contains(path)) return false;
    const int row = view_.AddRow(path.Text());
    if (row < 0) return false;
    paths_.insert(paths_.begin() + row, path);
    return true;
}

int TargetList::RemoveSelected() {
    int removed = 0;
    for (int row = view_.FirstSelected(); row >= 0; row = view_.FirstSelected()) {
        view_.DeleteRow(row);
        paths_.erase(paths_.begin() + row);
        ++removed;
    }
    return removed;
}

void TargetList::Clear() {
    view_.DeleteAllRows();
    paths_.clear();
}

void TargetList::Keep(const std::vector<win::FsPath>& paths) {
    Clear();
    for (const win::FsPath& path : paths) Add(path);
}
