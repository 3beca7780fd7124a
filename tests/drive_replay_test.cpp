// Drive kinds from recorded device responses: fixed disks by their real
// IDENTIFY data, optical drives by MMC replies built to the standard's
// layout, floppy drives by media type; the space and volume columns.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>
#include <ntddcdrm.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "envreport/devices/drive_section.h"
#include "envreport/devices/fixed_drive.h"
#include "envreport/devices/optical_drive.h"
#include "envreport/devices/removable_drive.h"
#include "tests/support/device_replay.h"
#include "tests/support/test_files.h"

typedef std::map<std::string, ReplayedDevice> DeviceMap;

template <typename T>
static std::string Bytes(const T& record) {
    return std::string((const char*)&record, sizeof record);
}

static std::string DeviceNumber(DWORD device, DWORD partition) {
    STORAGE_DEVICE_NUMBER number = {FILE_DEVICE_DISK, device, partition};
    return Bytes(number);
}

class DriveReplay : public ::testing::Test {
protected:
    DeviceMap devices;
    DeviceSwap replay{&devices};
    void ExpectAllClosed(const char* what) { EXPECT_EQ(0, OpenReplayedHandles()) << what; }
};

struct FixedCase {
    const char* what;
    DWORD device, partition;
    const char* identifyFile;  // NULL: the drive refuses IDENTIFY
    size_t replyLength;        // bytes of IDENTIFY data in the reply
    const char* kind;
};

TEST_F(DriveReplay, FixedDisksAreNamedByIdentifyWord217) {
    const FixedCase cases[] = {
        {"SSD, word 217 = 1", 0, 2, "INTEL_SSDSA2CW120G3--4PC10302.identify", 512, "SSD  [0-2]"},
        {"SSD as the slave of its channel", 1, 1, "INTEL_SSDSA2CW120G3--4PC10302.identify", 512, "SSD  [1-1]"},
        {"rotating disk, word 217 = 0", 0, 1, "WDC_WD5000AAKS--00TMA0-12.01C01.identify", 512, "HDD  [0-1]"},
        {"hex numbers", 10, 11, "ST9160821AS--3.CLH.identify", 512, "HDD  [A-B]"},
        {"short IDENTIFY reply", 0, 1, "INTEL_SSDSA2CW120G3--4PC10302.identify", 256, "Fixed     "},
        {"IDENTIFY refused", 0, 1, NULL, 0, "Fixed     "},
    };
    for (const FixedCase& c : cases) {
        devices.clear();
        devices["\\\\.\\C:"].replies[IOCTL_STORAGE_GET_DEVICE_NUMBER] = DeviceNumber(c.device, c.partition);
        char drive[32];
        wsprintfA(drive, "\\\\.\\PhysicalDrive%u", c.device);
        ReplayedDevice& disk = devices[drive];
        if (c.identifyFile) {
            std::string identify = ReadTextFile(TestDataPath(std::string("ata/") + c.identifyFile));
            ASSERT_EQ(512u, identify.size()) << c.identifyFile;
            disk.replies[SMART_RCV_DRIVE_DATA] = IdentifyReply(identify.substr(0, c.replyLength));
        }
        char kind[FixedDriveKindSize];
        FormatFixedDriveKind('C', kind);
        EXPECT_STREQ(c.kind, kind) << c.what;
        ExpectAllClosed(c.what);
    }
    EXPECT_EQ(0u, ReplayedOpens().find("\\\\.\\C: c0000000\n\\\\.\\PhysicalDrive0 c0000000\n"));
    EXPECT_NE(std::string::npos, ReplayedOpens().find("\\\\.\\PhysicalDrive10 c0000000\n"));

    char kind[FixedDriveKindSize];
    devices.clear();
    devices["\\\\.\\C:"];  // opens, but knows no device number
    FormatFixedDriveKind('C', kind);
    EXPECT_STREQ("Fixed     ", kind);
    devices.clear();
    FormatFixedDriveKind('C', kind);
    EXPECT_STREQ("Fixed     ", kind) << "the volume does not open";
    ExpectAllClosed("refusals");
}

enum PenaltyReply { PenaltyRefused, NoSeekPenalty, SeekPenalty, CutShort };

static std::string SeekPenaltyReply(PenaltyReply reply) {
    DEVICE_SEEK_PENALTY_DESCRIPTOR descriptor = {sizeof descriptor, sizeof descriptor, reply == SeekPenalty};
    return Bytes(descriptor).substr(0, reply == CutShort ? 8 : sizeof descriptor);
}

struct StandardUserCase {
    const char* what;
    DWORD refusedAccess;  // of the volume and the disk alike
    bool identify;        // the disk answers IDENTIFY, word 217 = 0
    PenaltyReply penalty;
    const char* kind;
    const char* opens;  // every open, in order
};

// When IDENTIFY gives nothing the storage stack is asked through handles
// for queries only; IDENTIFY, where it answers, still decides.
TEST_F(DriveReplay, FixedDisksBySeekPenaltyWhereIdentifyGivesNothing) {
    const char* queriesOnly = "\\\\.\\C: c0000000\n\\\\.\\C: 0\n\\\\.\\PhysicalDrive1 0\n";
    const StandardUserCase cases[] = {
        {"standard user, SSD", GENERIC_READ | GENERIC_WRITE, false, NoSeekPenalty, "SSD  [1-2]", queriesOnly},
        {"standard user, HDD", GENERIC_WRITE, true, SeekPenalty, "HDD  [1-2]", queriesOnly},
        {"NVMe: SMART refused", 0, false, NoSeekPenalty, "SSD  [1-2]",
         "\\\\.\\C: c0000000\n\\\\.\\PhysicalDrive1 c0000000\n\\\\.\\C: 0\n\\\\.\\PhysicalDrive1 0\n"},
        {"IDENTIFY wins", 0, true, NoSeekPenalty, "HDD  [1-2]",
         "\\\\.\\C: c0000000\n\\\\.\\PhysicalDrive1 c0000000\n"},
        {"nothing answered", GENERIC_WRITE, false, PenaltyRefused, "Fixed     ", queriesOnly},
        {"descriptor cut short", GENERIC_WRITE, false, CutShort, "Fixed     ", queriesOnly},
    };
    for (const StandardUserCase& c : cases) {
        devices.clear();
        UseReplayedDevices(&devices);
        ReplayedDevice& volume = devices["\\\\.\\C:"];
        volume.refusedAccess = c.refusedAccess;
        volume.replies[IOCTL_STORAGE_GET_DEVICE_NUMBER] = DeviceNumber(1, 2);
        ReplayedDevice& disk = devices["\\\\.\\PhysicalDrive1"];
        disk.refusedAccess = c.refusedAccess;
        if (c.identify) disk.replies[SMART_RCV_DRIVE_DATA] = IdentifyReply(std::string(512, '\0'));
        if (c.penalty != PenaltyRefused) disk.replies[IOCTL_STORAGE_QUERY_PROPERTY] = SeekPenaltyReply(c.penalty);
        char kind[FixedDriveKindSize];
        FormatFixedDriveKind('C', kind);
        EXPECT_STREQ(c.kind, kind) << c.what;
        EXPECT_EQ(c.opens, ReplayedOpens()) << c.what;
        ExpectAllClosed(c.what);
    }
}

// A device number cut short names no disk: its missing bytes would read
// as disk 0, another disk than the volume's.
TEST_F(DriveReplay, AShortDeviceNumberReplyNamesNoDisk) {
    const struct {
        const char* what;
        size_t written;   // bytes of the reply the driver writes
        DWORD reported;   // bytes it says it returned, where fewer
        DWORD refusedAccess;
    } cases[] = {
        {"device type only, IDENTIFY path", 4, ~0u, 0},
        {"device type only, seek-penalty path", 4, ~0u, GENERIC_WRITE},
        {"whole reply, fewer bytes reported", sizeof(STORAGE_DEVICE_NUMBER), 8, GENERIC_WRITE},
    };
    for (const auto& c : cases) {
        devices.clear();
        UseReplayedDevices(&devices);
        ReplayedDevice& volume = devices["\\\\.\\C:"];
        volume.refusedAccess = c.refusedAccess;
        volume.replies[IOCTL_STORAGE_GET_DEVICE_NUMBER] = DeviceNumber(1, 2).substr(0, c.written);
        if (c.reported != ~0u) volume.reported[IOCTL_STORAGE_GET_DEVICE_NUMBER] = c.reported;
        for (const char* path : {"\\\\.\\PhysicalDrive0", "\\\\.\\PhysicalDrive1"}) {
            devices[path].replies[SMART_RCV_DRIVE_DATA] = IdentifyReply(std::string(512, '\0'));
            devices[path].replies[IOCTL_STORAGE_QUERY_PROPERTY] = SeekPenaltyReply(NoSeekPenalty);
        }
        char kind[FixedDriveKindSize];
        FormatFixedDriveKind('C', kind);
        EXPECT_STREQ("Fixed     ", kind) << c.what;
        EXPECT_EQ("\\\\.\\C: c0000000\n\\\\.\\C: 0\n", ReplayedOpens()) << c.what;
        ExpectAllClosed(c.what);
    }
}

static std::string BigEndian16(unsigned value) {
    return std::string{(char)(value >> 8), (char)value};
}

// A GET CONFIGURATION reply for the Profile List feature: the 8-byte
// header with the Current Profile, the feature header, 4-byte descriptors.
static std::string Configuration(unsigned current, std::initializer_list<unsigned> profiles, unsigned feature = 0) {
    std::string descriptors;
    for (unsigned profile : profiles) descriptors += BigEndian16(profile) + std::string{(char)(profile == current), 0};
    std::string header = std::string(2, '\0') + BigEndian16(4 + 4 + (unsigned)descriptors.size()) +
                         std::string(2, '\0') + BigEndian16(current);
    return header + BigEndian16(feature) + std::string{0x03, (char)descriptors.size()} + descriptors;
}

// MODE SENSE(6) without block descriptors: the 4-byte header, then the
// capabilities page with its read and write capability bytes.
static std::string CapabilitiesPage(uint8_t read, uint8_t write, uint8_t page = 0x2A) {
    std::string reply = {0x19, 0, 0, 0, (char)page, 0x14, (char)read, (char)write};
    return reply + std::string(18, '\0');
}

static std::string MediaTypesOf(DWORD deviceType) {
    GET_MEDIA_TYPES types = {};
    types.DeviceType = deviceType;
    return Bytes(types);
}

static ScsiReply Good(const std::string& data, size_t reported = 0) {
    return ScsiReply{data, 0, reported};
}

static ScsiReply CheckCondition(const std::string& data) {
    return ScsiReply{data, 2, 0};
}

struct OpticalCase {
    const char* what;
    bool hasAddress;
    ScsiReply configuration;  // empty data: the command is refused
    ScsiReply capabilities;
    DWORD mediaDeviceType;  // 0: the request fails
    const char* kind;
};

TEST_F(DriveReplay, OpticalDrivesByCurrentProfileListedProfilesCapabilitiesAndMediaTypes) {
    static const ScsiReply none = Good("");
    static const OpticalCase cases[] = {
        {"DVD writer, no disc: most preferred listed", true,
         Good(Configuration(0, {0x08, 0x09, 0x0A, 0x10, 0x11, 0x1A, 0x1B, 0x2B})), none, 0, "DVD+R DL  "},
        {"DVD writer with a DVD-ROM disc", true,
         Good(Configuration(0x10, {0x08, 0x09, 0x0A, 0x10, 0x11, 0x1A, 0x1B, 0x2B})), none, 0, "DVD-ROM   "},
        {"BD-RE drive", true, Good(Configuration(0, {0x08, 0x09, 0x0A, 0x10, 0x11, 0x1A, 0x1B, 0x12, 0x40, 0x41, 0x42, 0x43})),
         none, 0, "BD-RE     "},
        // Follows the BD-RE drive: its listed flags must not survive.
        {"CD-only drive", true, Good(Configuration(0, {0x08, 0x09, 0x0A})), none, 0, "CD-RW     "},
        {"BD-ROM beats DVD-ROM in the table", true, Good(Configuration(0, {0x08, 0x09, 0x0A, 0x10, 0x40})), none, 0,
         "BD-ROM    "},
        {"current profile without a name", true, Good(Configuration(0x02, {0x02})), none, 0, "CD/DVD/BD "},
        {"Profile List cut to the bytes returned", true, Good(Configuration(0, {0x08, 0x09, 0x43}), 8 + 4 + 8), none, 0,
         "CD-R      "},
        {"another feature than the Profile List", true, Good(Configuration(0, {0x43}, 0x0001)), none, 0, "CD/DVD/BD "},
        {"check condition on GET CONFIGURATION", true, CheckCondition(Configuration(0x10, {0x10})),
         Good(CapabilitiesPage(0, 0x01)), 0, "CD-R      "},
        {"no SCSI address: capabilities page", false, Good(Configuration(0x43, {0x43})), Good(CapabilitiesPage(0x09, 0x03)),
         0, "DVD-ROM   "},
        {"DVD-RAM writer", true, none, Good(CapabilitiesPage(0x3F, 0x37)), 0, "DVD-RAM   "},
        {"CD-ROM reader, saveable page", true, none, Good(CapabilitiesPage(0x01, 0, 0xAA)), 0, "CD-ROM    "},
        {"another page than 2Ah", true, none, Good(CapabilitiesPage(0x09, 0x13, 0x01)), 0, "CD/DVD/BD "},
        {"check condition on MODE SENSE", true, none, CheckCondition(CapabilitiesPage(0x09, 0x13)), FILE_DEVICE_DVD,
         "DVD Drive "},
        {"header-only MODE SENSE reply", true, none, Good(CapabilitiesPage(0x09, 0x13), 4), FILE_DEVICE_CD_ROM,
         "CD Drive  "},
        {"no capability bits", true, none, Good(CapabilitiesPage(0, 0)), FILE_DEVICE_CD_ROM_FILE_SYSTEM, "CD Drive  "},
        {"media types of a disk", true, none, none, FILE_DEVICE_DISK, "CD/DVD/BD "},
        {"nothing answers", false, none, none, 0, "CD/DVD/BD "},
    };
    for (const OpticalCase& c : cases) {
        devices.clear();
        ReplayedDevice& drive = devices["\\\\.\\Q:"];
        // Port 1, path 2, target 3, LUN 0: GET CONFIGURATION must go there.
        if (c.hasAddress) drive.replies[IOCTL_SCSI_GET_ADDRESS] = std::string{8, 0, 0, 0, 1, 2, 3, 0};
        if (!c.configuration.data.empty()) drive.scsi[0x46] = c.configuration;
        drive.scsi[0x12] = Good(std::string(36, 'i'));
        if (!c.capabilities.data.empty()) drive.scsi[0x1A] = c.capabilities;
        if (c.mediaDeviceType) drive.replies[IOCTL_STORAGE_GET_MEDIA_TYPES_EX] = MediaTypesOf(c.mediaDeviceType);
        EXPECT_STREQ(c.kind, OpticalDriveKind(ProbeOpticalProfile('Q'))) << c.what;
        ExpectAllClosed(c.what);
    }
    devices.clear();
    EXPECT_EQ(0, ProbeOpticalProfile('Q')) << "the volume does not open";
    EXPECT_EQ(0u, ReplayedOpens().find("\\\\.\\Q: c0000000\n"));
}

// Refused the read-write open, a standard user still reaches the class
// driver's GET CONFIGURATION for reading and the device type for queries.
TEST_F(DriveReplay, OpticalDrivesForAStandardUser) {
    struct {
        const char* what;
        DWORD refusedAccess;
        std::string configuration;  // empty: refused
        DWORD mediaDeviceType;      // 0: the request fails
        const char* kind;
        DWORD mediaTypesReported = ~0u;  // bytes the driver says it returned, where fewer
    } cases[] = {
        {"DVD-ROM disc in a writer", GENERIC_WRITE, Configuration(0x10, {0x08, 0x09, 0x10, 0x11, 0x2B}), FILE_DEVICE_CD_ROM,
         "DVD-ROM   "},
        {"no disc: most preferred listed", GENERIC_WRITE, Configuration(0, {0x08, 0x09, 0x0A, 0x10, 0x40, 0x43}), 0,
         "BD-RE     "},
        {"GET CONFIGURATION refused", GENERIC_WRITE, "", FILE_DEVICE_DVD, "DVD Drive "},
        {"not even for reading", GENERIC_READ | GENERIC_WRITE, Configuration(0x10, {0x10}), FILE_DEVICE_CD_ROM,
         "CD Drive  "},
        {"nothing answers", GENERIC_WRITE, "", 0, "CD/DVD/BD "},
        {"media types without the device type", GENERIC_WRITE, "", FILE_DEVICE_DVD, "CD/DVD/BD ", 3},
    };
    for (const auto& c : cases) {
        devices.clear();
        UseReplayedDevices(&devices);
        ReplayedDevice& drive = devices["\\\\.\\Q:"];
        drive.refusedAccess = c.refusedAccess;
        if (!c.configuration.empty()) drive.replies[IOCTL_CDROM_GET_CONFIGURATION] = c.configuration;
        if (c.mediaDeviceType) drive.replies[IOCTL_STORAGE_GET_MEDIA_TYPES_EX] = MediaTypesOf(c.mediaDeviceType);
        drive.reported[IOCTL_STORAGE_GET_MEDIA_TYPES_EX] = c.mediaTypesReported;
        EXPECT_STREQ(c.kind, OpticalDriveKind(ProbeOpticalProfile('Q'))) << c.what;
        ExpectAllClosed(c.what);
    }
    EXPECT_EQ("\\\\.\\Q: c0000000\n\\\\.\\Q: 80000000\n\\\\.\\Q: 0\n", ReplayedOpens());
}

static std::string GeometryOf(DWORD mediaType) {
    DISK_GEOMETRY geometry = {};
    geometry.MediaType = (MEDIA_TYPE)mediaType;
    return Bytes(geometry);
}

TEST_F(DriveReplay, RemovableDrivesByTheFirstMediaType) {
    struct {
        DWORD mediaTypes;  // ~0: the request fails
        DWORD geometry;    // ~0: the request fails
        const char* kind;
        DWORD mediaTypesReported = ~0u;  // bytes the driver says it returned, where fewer
    } cases[] = {
        {F3_1Pt44_512, F5_360_512, "3.5\"FDD   "}, {F5_1Pt23_1024, ~0u, "5.25\"FDD  "}, {F8_256_128, ~0u, "8\"FDD     "},
        {FixedMedia, ~0u, "Removable "},        {23, ~0u, "Removable "},           {~0u, F3_720_512, "3.5\"FDD   "},
        {~0u, ~0u, "Removable "},
        // Short of the first geometry's media type: the geometry decides.
        {F3_1Pt44_512, F5_360_512, "5.25\"FDD  ", 16},     {F3_1Pt44_512, ~0u, "Removable ", 16},
    };
    for (auto& c : cases) {
        devices.clear();
        ReplayedDevice& drive = devices["\\\\.\\A:"];
        // A reply lists one geometry for each supported format, the first
        // one deciding.
        if (c.mediaTypes != ~0u) drive.replies[IOCTL_STORAGE_GET_MEDIA_TYPES] = GeometryOf(c.mediaTypes) + GeometryOf(F8_256_128);
        if (c.geometry != ~0u) drive.replies[IOCTL_DISK_GET_DRIVE_GEOMETRY] = GeometryOf(c.geometry);
        drive.reported[IOCTL_STORAGE_GET_MEDIA_TYPES] = c.mediaTypesReported;
        EXPECT_STREQ(c.kind, RemovableDriveKind('A')) << c.mediaTypes << " " << c.geometry;
        ExpectAllClosed(c.kind);
    }
    devices.clear();
    EXPECT_STREQ("FDD/RMV   ", RemovableDriveKind('A'));
    EXPECT_EQ(0u, ReplayedOpens().find("\\\\.\\A: 0\n")) << "opened for queries only";
}

TEST(DriveColumns, SpaceTextChoosesTheUnitByTheTotal) {
    const uint64_t GiB = 1ULL << 30;
    struct {
        uint64_t freeBytes, total;
        const char* text;
    } cases[] = {
        {50 * GiB, 100 * GiB, "    50/   100GB"},
        {0, 100 * GiB - 1, "     0/102399MB"},
        {(5ULL << 40) + 1, 1000ULL << 40, "     5/  1000TB"},
        {99ULL << 40, 99ULL << 40, "101376/101376GB"},
        {1024, 102400, "     1/   100KB"},
        {512, 102399, "   512/102399B "},
        {0, 0, "     0/     0B "},
        {3ULL << 30, 4000ULL << 30, "     3/  4000GB"},
    };
    for (auto& c : cases) {
        char text[SpaceTextSize];
        FormatSpaceText(c.freeBytes, c.total, text);
        EXPECT_STREQ(c.text, text) << c.total;
    }
}

TEST(DriveColumns, VolumeColumnsPadTheFileSystemAndSplitTheSerial) {
    struct {
        const char* fileSystem;
        DWORD serial;
        const char* label;
        const char* text;
    } cases[] = {
        {"NTFS", 0x1234ABCD, "DATA", "  NTFS             1234-ABCD DATA\r\n"},
        {"FAT", 0x0000000F, "", "  FAT              0000-000F \r\n"},
        {"LONGER-THAN-17-CHARS", 0xFFFF0000, "x", "  LONGER-THAN-17-CHARSFFFF-0000 x\r\n"},
    };
    for (auto& c : cases) {
        ReportBuffer report = {};
        report.Init();
        AppendVolumeColumns(report, c.fileSystem, c.serial, c.label);
        EXPECT_STREQ(c.text, report.text);
        report.Free();
    }
}
