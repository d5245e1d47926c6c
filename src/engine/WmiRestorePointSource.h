#pragma once
// The restore points that the system reports through WMI (class
// SystemRestore in ROOT\DEFAULT). COM is held on the calling thread for the
// query only; a thread that start-up already joined to an apartment keeps it.
#include "engine/RestorePointSource.h"

class WmiRestorePointSource final : public RestorePointSource {
public:
    // False when a setup step failed; `failure` then holds its English text.
    // Finding no point at all is no failure.
    bool Query(std::vector<RestorePointRecord>& records, std::string& failure) override;
};
