// A fixed disk: which physical drive and partition hold the volume, and
// whether the disk rotates, from its ATA IDENTIFY DEVICE data.
#pragma once

const int FixedDriveKindSize = 32;

// "SSD  [0-2]", "HDD  [1-0]", or "Fixed     " when the drive could not be
// classified either way.
void FormatFixedDriveKind(char letter, char (&kind)[FixedDriveKindSize]);
