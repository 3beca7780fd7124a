// The kind of an optical drive: the medium in it, or else the best medium
// it handles, learnt through SCSI multimedia commands by pass-through.
#pragma once
#include <cstdint>

struct OpticalProfile {
    uint16_t profile;  // MMC profile number
    uint16_t listed;   // 1 when the drive's Profile List holds it
};

const int OpticalProfileCount = 21;

// Least preferred first; every probe clears the listed flags.
extern OpticalProfile OpticalProfileTable[OpticalProfileCount];

// An MMC profile number, -1 for a CD drive, -2 for a DVD drive, or 0 when
// nothing could be learnt.
int32_t ProbeOpticalProfile(char letter);

// "DVD-ROM   ", "CD Drive  " and the like; "CD/DVD/BD " for 0 and any
// profile without a name.
const char* OpticalDriveKind(int32_t profile);
