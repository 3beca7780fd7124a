// A fixed disk: which physical drive and partition hold the volume, and
// whether the disk rotates, from its ATA IDENTIFY DEVICE data.
#pragma once
#include <windows.h>

#include <cstdint>

struct FixedDriveInfo {
    uint32_t deviceType;
    uint32_t deviceNumber;     // N of \\.\PhysicalDriveN
    uint32_t partitionNumber;
    uint16_t rotationRate;     // IDENTIFY word 217; 1 = not rotating (no seek penalty)
};

const int IdentifySize = 512;

// 1 when device, partition and rotation rate were all read, else 0.
int ClassifyFixedDrive(char letter, FixedDriveInfo* info);

// The way a standard user may ask, and the one that reaches NVMe disks:
// volume and disk opened for queries only, and the storage stack's seek
// penalty in place of IDENTIFY (none counts as rotation rate 1). 1 when
// device, partition and the penalty were all read, else 0.
int ClassifyFixedDriveBySeekPenalty(char letter, FixedDriveInfo* info);

// IDENTIFY DEVICE through SMART_RCV_DRIVE_DATA. The data is zeroed first;
// true only when a whole reply came back.
bool ReadIdentifyData(uint32_t drive, uint8_t (&data)[IdentifySize]);

// "\\.\PhysicalDriveN" with the access given, through `Devices`.
HANDLE OpenPhysicalDrive(uint32_t drive, DWORD access);

const int FixedDriveKindSize = 32;

// "SSD  [0-2]", "HDD  [1-0]", or "Fixed     " when the drive could not be
// classified either way.
void FormatFixedDriveKind(char letter, char (&kind)[FixedDriveKindSize]);
