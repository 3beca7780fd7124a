#include "envreport/devices/fixed_drive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "envreport/devices/device_access.h"

struct FixedDriveInfo {
    uint32_t deviceType;
    uint32_t deviceNumber;     // N of \\.\PhysicalDriveN
    uint32_t partitionNumber;
    uint16_t rotationRate;     // IDENTIFY word 217; 1 = not rotating (no seek penalty)
};

static const int IdentifySize = 512;

static_assert(sizeof(SENDCMDINPARAMS) == 33, "the packed SMART request");
// A four-byte size and the DRIVERSTATUS precede the data.
static const DWORD IdentifyReplySize = offsetof(SENDCMDOUTPARAMS, bBuffer) + IdentifySize;
static_assert(IdentifyReplySize == 528, "the SMART reply of one sector");

static const size_t RotationRateOffset = 217 * 2;

// "\\.\PhysicalDriveN" with the access given, through `Devices`.
static HANDLE OpenPhysicalDrive(uint32_t drive, DWORD access) {
    char path[32];
    wsprintfA(path, "\\\\.\\PhysicalDrive%u", drive);
    return Devices.open(path, access);
}

// IDENTIFY DEVICE through SMART_RCV_DRIVE_DATA. The data is zeroed first;
// true only when a whole reply came back.
static bool ReadIdentifyData(uint32_t drive, uint8_t (&data)[IdentifySize]) {
    memset(data, 0, sizeof data);
    HANDLE device = OpenPhysicalDrive(drive, GENERIC_READ | GENERIC_WRITE);
    if (device == INVALID_HANDLE_VALUE) return false;
    SENDCMDINPARAMS request = {};
    request.cBufferSize = IdentifySize;
    // Master or slave by the drive number's parity, as on an IDE channel.
    request.irDriveRegs.bDriveHeadReg = (drive & 1) ? 0xB0 : 0xA0;
    request.irDriveRegs.bCommandReg = ID_CMD;
    request.bDriveNumber = (BYTE)drive;
    BYTE reply[IdentifyReplySize] = {};
    DWORD returned = 0;
    BOOL done = Devices.control(device, SMART_RCV_DRIVE_DATA, &request, sizeof request, reply, sizeof reply, &returned);
    Devices.close(device);
    if (!done || returned != sizeof reply) return false;
    memcpy(data, reply + offsetof(SENDCMDOUTPARAMS, bBuffer), sizeof data);
    return true;
}

// Which physical drive and partition hold the volume, asked through a
// volume handle of the given access.
static bool ReadDeviceNumber(char letter, DWORD access, FixedDriveInfo* info) {
    HANDLE volume = OpenVolume(letter, access);
    if (volume == INVALID_HANDLE_VALUE) return false;
    STORAGE_DEVICE_NUMBER number = {};
    DWORD returned = 0;
    BOOL done = Devices.control(volume, IOCTL_STORAGE_GET_DEVICE_NUMBER, NULL, 0, &number, sizeof number, &returned);
    Devices.close(volume);
    // A shorter reply would leave the number 0, naming another disk.
    if (!done || returned != sizeof number) return false;
    info->deviceType = number.DeviceType;
    info->deviceNumber = number.DeviceNumber;
    info->partitionNumber = number.PartitionNumber;
    return true;
}

// 1 when device, partition and rotation rate were all read, else 0.
static int ClassifyFixedDrive(char letter, FixedDriveInfo* info) {
    if (!ReadDeviceNumber(letter, GENERIC_READ | GENERIC_WRITE, info)) return 0;
    uint8_t identify[IdentifySize];
    if (!ReadIdentifyData(info->deviceNumber, identify)) return 0;
    info->rotationRate = (uint16_t)(identify[RotationRateOffset] | identify[RotationRateOffset + 1] << 8);
    return 1;
}

// The way a standard user may ask, and the one that reaches NVMe disks:
// volume and disk opened for queries only, and the storage stack's seek
// penalty in place of IDENTIFY (none counts as rotation rate 1). 1 when
// device, partition and the penalty were all read, else 0.
static int ClassifyFixedDriveBySeekPenalty(char letter, FixedDriveInfo* info) {
    if (!ReadDeviceNumber(letter, 0, info)) return 0;
    HANDLE disk = OpenPhysicalDrive(info->deviceNumber, 0);
    if (disk == INVALID_HANDLE_VALUE) return 0;
    STORAGE_PROPERTY_QUERY query = {};
    query.PropertyId = StorageDeviceSeekPenaltyProperty;
    query.QueryType = PropertyStandardQuery;
    DEVICE_SEEK_PENALTY_DESCRIPTOR penalty = {};
    DWORD returned = 0;
    BOOL done = Devices.control(disk, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &penalty, sizeof penalty,
                                &returned);
    Devices.close(disk);
    if (!done || returned <= offsetof(DEVICE_SEEK_PENALTY_DESCRIPTOR, IncursSeekPenalty)) return 0;
    info->rotationRate = penalty.IncursSeekPenalty ? 0 : 1;
    return 1;
}

void FormatFixedDriveKind(char letter, char (&kind)[FixedDriveKindSize]) {
    FixedDriveInfo info = {};
    if (!ClassifyFixedDrive(letter, &info) && !ClassifyFixedDriveBySeekPenalty(letter, &info)) {
        lstrcpyA(kind, "Fixed     ");
        return;
    }
    // At most 5 + 2 + 8 + 1 + 8 characters.
    wsprintfA(kind, "%s[%X-%X]", info.rotationRate == 1 ? "SSD  " : "HDD  ", info.deviceNumber, info.partitionNumber);
}
