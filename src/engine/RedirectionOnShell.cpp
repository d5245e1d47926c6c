#include "engine/RedirectionOnShell.h"

RecycleBinAccess RedirectionOnShell::Open() {
    const RedirectionPause pause(functions_);
    return inner_.Open();
}

void RedirectionOnShell::Close() {
    const RedirectionPause pause(functions_);
    inner_.Close();
}

HRESULT RedirectionOnShell::Query(const std::string& root, RecycleBinContents& contents) {
    const RedirectionPause pause(functions_);
    return inner_.Query(root, contents);
}

void RedirectionOnShell::Empty(const std::string& root) {
    const RedirectionPause pause(functions_);
    inner_.Empty(root);
}
