#pragma once
// Asks a volume's device whether it has a seek penalty (the storage property
// query on "\\.\X:"). Systems of the 9x family, network drives and devices
// that do not answer count as hard disks.
#include "engine/DriveSeekPenalty.h"

class VolumeSeekPenalty final : public DriveSeekPenalty {
public:
    bool HasNoSeekPenalty(wchar_t letter) override;
};
