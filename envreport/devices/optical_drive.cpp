#include "envreport/devices/optical_drive.h"

#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>
#include <ntddcdrm.h>
#include <ntddmmc.h>

#include <cstddef>
#include <cstring>

#include "envreport/devices/device_access.h"

OpticalProfile OpticalProfileTable[OpticalProfileCount] = {
    {0x08, 0}, {0x09, 0}, {0x0A, 0}, {0x10, 0}, {0x11, 0}, {0x13, 0}, {0x14, 0},
    {0x1A, 0}, {0x1B, 0}, {0x15, 0}, {0x16, 0}, {0x2A, 0}, {0x2B, 0}, {0x12, 0},
    {0x50, 0}, {0x51, 0}, {0x52, 0}, {0x40, 0}, {0x41, 0}, {0x42, 0}, {0x43, 0},
};

// One pass-through request: the header, its sense area and its data area,
// handed to the driver as a whole.
struct PassThroughBlock {
    SCSI_PASS_THROUGH header;
    BYTE filler[4];
    BYTE sense[32];
    BYTE data[512];
};
static_assert(sizeof(SCSI_PASS_THROUGH) == 44, "the 32-bit pass-through header");
static_assert(offsetof(PassThroughBlock, sense) == 48 && offsetof(PassThroughBlock, data) == 80 &&
                  sizeof(PassThroughBlock) == 592,
              "the request block layout");

// INQUIRY and MODE SENSE send the header and get it back with 192 bytes.
static const DWORD ShortRequestIn = sizeof(SCSI_PASS_THROUGH);
static const DWORD ShortRequestOut = offsetof(PassThroughBlock, data) + 192;

static void ClearListedProfiles() {
    for (OpticalProfile& entry : OpticalProfileTable) entry.listed = 0;
}

static void MarkListedProfile(uint16_t profile) {
    for (OpticalProfile& entry : OpticalProfileTable)
        if (entry.profile == profile) entry.listed = 1;
}

static int32_t MostPreferredListedProfile() {
    for (int i = OpticalProfileCount - 1; i >= 0; --i)
        if (OpticalProfileTable[i].listed) return OpticalProfileTable[i].profile;
    return 0;
}

static uint16_t BigEndian16(const BYTE* bytes) {
    return (uint16_t)(bytes[0] << 8 | bytes[1]);
}

// Every request starts from empty sense, data and command bytes, so
// nothing a previous request left behind can be read as an answer.
static void PrepareRequest(PassThroughBlock& block, UCHAR cdbLength, UCHAR senseLength, ULONG dataLength,
                           ULONG timeoutSeconds) {
    SCSI_PASS_THROUGH& header = block.header;
    header.CdbLength = cdbLength;
    header.SenseInfoLength = senseLength;
    header.DataIn = SCSI_IOCTL_DATA_IN;
    header.DataTransferLength = dataLength;
    header.TimeOutValue = timeoutSeconds;
    header.DataBufferOffset = offsetof(PassThroughBlock, data);
    header.SenseInfoOffset = offsetof(PassThroughBlock, sense);
    header.ScsiStatus = 0;
    memset(header.Cdb, 0, sizeof header.Cdb);
    memset(block.sense, 0, sizeof block.sense);
    memset(block.data, 0, sizeof block.data);
}

// True when the driver carried the command and the drive accepted it.
static bool SendRequest(HANDLE device, PassThroughBlock& block, DWORD inSize, DWORD outSize) {
    DWORD returned = 0;
    return Devices.control(device, IOCTL_SCSI_PASS_THROUGH, &block, inSize, &block, outSize, &returned) &&
           block.header.ScsiStatus == 0;
}

// The driver writes back how many data bytes the drive really sent.
static unsigned ReturnedDataBytes(const PassThroughBlock& block) {
    return block.header.DataTransferLength < sizeof block.data ? block.header.DataTransferLength
                                                               : (unsigned)sizeof block.data;
}

// GET CONFIGURATION data for the Profile List feature alone: the Current
// Profile when a medium is in, else the most preferred listed profile.
static int32_t ProfileFromConfigurationData(const BYTE* data, unsigned available) {
    if (available < 8) return 0;
    uint16_t current = BigEndian16(data + 6);
    if (current != 0) return current;
    if (available < 12 || BigEndian16(data + 8) != 0) return 0;  // feature 0: Profile List
    unsigned end = 12 + data[11];
    if (end > available) end = available;
    for (unsigned at = 12; at + 4 <= end; at += 4) MarkListedProfile(BigEndian16(data + at));
    return MostPreferredListedProfile();
}

static int32_t ProfileFromConfiguration(HANDLE device, PassThroughBlock& block, const SCSI_ADDRESS& address) {
    PrepareRequest(block, 10, 32, sizeof block.data, 10);
    block.header.PathId = address.PathId;
    block.header.TargetId = address.TargetId;
    block.header.Lun = address.Lun;
    block.header.Cdb[0] = 0x46;
    block.header.Cdb[1] = 0x02;  // RT: the starting feature only
    block.header.Cdb[8] = 0xFF;
    if (!SendRequest(device, block, sizeof block, sizeof block)) return 0;
    return ProfileFromConfigurationData(block.data, ReturnedDataBytes(block));
}

// The class driver's own GET CONFIGURATION, open to a handle for reading
// where pass-through needs read and write access.
static int32_t ProfileFromCdromConfiguration(HANDLE device) {
    GET_CONFIGURATION_IOCTL_INPUT request = {};
    request.Feature = FeatureProfileList;
    request.RequestType = SCSI_GET_CONFIGURATION_REQUEST_TYPE_ONE;
    BYTE data[512] = {};
    DWORD returned = 0;
    if (!Devices.control(device, IOCTL_CDROM_GET_CONFIGURATION, &request, sizeof request, data, sizeof data, &returned))
        return 0;
    return ProfileFromConfigurationData(data, returned < sizeof data ? returned : (unsigned)sizeof data);
}

struct CapabilityRule {
    bool writeByte;  // page byte 3, else byte 2 (read capabilities)
    BYTE bit;
    int32_t profile;
};

// The first capability found names the drive.
static const CapabilityRule CapabilityRules[] = {
    {true, 0x20, 0x12}, {true, 0x10, 0x11}, {false, 0x08, 0x10},
    {true, 0x02, 0x0A}, {true, 0x01, 0x09}, {false, 0x01, 0x08},
};

// INQUIRY, then MODE SENSE of the CD/DVD capabilities page (2Ah).
static int32_t ProfileFromCapabilities(HANDLE device, PassThroughBlock& block) {
    block.header.PathId = 0;
    block.header.TargetId = 1;
    block.header.Lun = 0;
    PrepareRequest(block, 6, 24, 192, 2);
    block.header.Cdb[0] = 0x12;
    block.header.Cdb[4] = 0xC0;
    SendRequest(device, block, ShortRequestIn, ShortRequestOut);

    PrepareRequest(block, 6, 24, 192, 2);
    block.header.Cdb[0] = 0x1A;
    block.header.Cdb[1] = 0x08;  // no block descriptors: the page follows the 4-byte header
    block.header.Cdb[2] = 0x2A;
    block.header.Cdb[4] = 0xC0;
    if (!SendRequest(device, block, ShortRequestIn, ShortRequestOut)) return 0;
    if (ReturnedDataBytes(block) < 8 || (block.data[4] & 0x3F) != 0x2A) return 0;
    for (const CapabilityRule& rule : CapabilityRules)
        if (block.data[rule.writeByte ? 7 : 6] & rule.bit) return rule.profile;
    return 0;
}

static int32_t DeviceClassFromMediaTypes(HANDLE device) {
    BYTE mediaTypes[1024] = {};
    DWORD returned = 0;
    if (!Devices.control(device, IOCTL_STORAGE_GET_MEDIA_TYPES_EX, NULL, 0, mediaTypes, sizeof mediaTypes, &returned) ||
        returned < offsetof(GET_MEDIA_TYPES, DeviceType) + sizeof(DWORD))
        return 0;
    DWORD deviceType;
    memcpy(&deviceType, mediaTypes + offsetof(GET_MEDIA_TYPES, DeviceType), sizeof deviceType);
    if (deviceType == FILE_DEVICE_CD_ROM || deviceType == FILE_DEVICE_CD_ROM_FILE_SYSTEM) return -1;
    if (deviceType == FILE_DEVICE_DVD) return -2;
    return 0;
}

// A standard user may not open the drive for writing: the Profile List
// through a handle for reading, then the device type for queries only.
static int32_t ProfileForStandardUser(char letter) {
    int32_t result = 0;
    HANDLE device = OpenVolume(letter, GENERIC_READ);
    if (device != INVALID_HANDLE_VALUE) {
        result = ProfileFromCdromConfiguration(device);
        Devices.close(device);
    }
    if (result != 0) return result;
    device = OpenVolume(letter, 0);
    if (device == INVALID_HANDLE_VALUE) return 0;
    result = DeviceClassFromMediaTypes(device);
    Devices.close(device);
    return result;
}

int32_t ProbeOpticalProfile(char letter) {
    ClearListedProfiles();
    HANDLE device = OpenVolume(letter, GENERIC_READ | GENERIC_WRITE);
    if (device == INVALID_HANDLE_VALUE) return ProfileForStandardUser(letter);
    PassThroughBlock block = {};
    block.header.Length = sizeof block.header;
    SCSI_ADDRESS address = {};
    DWORD returned = 0;
    int32_t result = 0;
    // Only a whole address: the rest of a short one would send the
    // command to another device.
    if (Devices.control(device, IOCTL_SCSI_GET_ADDRESS, NULL, 0, &address, sizeof address, &returned) &&
        returned == sizeof address)
        result = ProfileFromConfiguration(device, block, address);
    if (result == 0) result = ProfileFromCapabilities(device, block);
    if (result == 0) result = DeviceClassFromMediaTypes(device);
    Devices.close(device);
    return result;
}

struct OpticalKind {
    int32_t profile;
    const char* text;
};

static const OpticalKind OpticalKinds[] = {
    {-2, "DVD Drive "},   {-1, "CD Drive  "},   {0x08, "CD-ROM    "}, {0x09, "CD-R      "},
    {0x0A, "CD-RW     "}, {0x10, "DVD-ROM   "}, {0x11, "DVD-R     "}, {0x12, "DVD-RAM   "},
    {0x13, "DVD-RW(Ov)"}, {0x14, "DVD-RW(Sq)"}, {0x15, "DVD-R DL S"}, {0x16, "DVD-R DL J"},
    {0x1A, "DVD+RW    "}, {0x1B, "DVD+R     "}, {0x2A, "DVD+RW DL "}, {0x2B, "DVD+R DL  "},
    {0x40, "BD-ROM    "}, {0x41, "BD-R(SRM) "}, {0x42, "BD-R(RRM) "}, {0x43, "BD-RE     "},
    {0x50, "HD DVD-ROM"}, {0x51, "HD DVD-R  "}, {0x52, "HD DVD-RAM"},
};

const char* OpticalDriveKind(int32_t profile) {
    for (const OpticalKind& kind : OpticalKinds)
        if (kind.profile == profile) return kind.text;
    return "CD/DVD/BD ";
}
