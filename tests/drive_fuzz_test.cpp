// The drive code fed mutated device answers through the device replay:
// IDENTIFY data, GET CONFIGURATION (lengths and profile lists that lie),
// capabilities, media types, geometries, seek penalty and device numbers,
// truncated, lengthened and bit-flipped, with returned sizes that lie.
// The bytes a driver did not return are poison, different on each of two
// runs: the kind must not change, no fault may occur and every handle
// must be closed. Failing inputs are kept and replayed on every run.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>
#include <ntddcdrm.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "envreport/devices/fixed_drive.h"
#include "envreport/devices/optical_drive.h"
#include "envreport/devices/removable_drive.h"
#include "tests/support/device_replay.h"
#include "tests/support/fault_trap.h"
#include "tests/support/fuzz_run.h"
#include "tests/support/input_mutations.h"
#include "tests/support/test_files.h"

typedef std::map<std::string, ReplayedDevice> DeviceMap;

enum DriveClass : uint8_t { FixedClass, OpticalClass, RemovableClass };

// A pass-through command's answer is keyed by this plus its operation code.
static const uint32_t ScsiRequest = 0x100;
static const uint32_t TruthfulSize = 0xFFFFFFFF;

struct FuzzedAnswer {
    uint32_t request;   // control code, or ScsiRequest + operation code
    uint32_t reported;  // the size (data bytes for SCSI) the driver claims; TruthfulSize: what it wrote
    uint8_t status;     // SCSI status
    std::string bytes;
};

struct DriveInput {
    uint8_t driveClass;
    uint32_t refusedAccess;  // of every device of the drive
    std::vector<FuzzedAnswer> answers;
};

// Pairs of hex digits; blanks between them only group.
static std::string FromHex(const char* hex) {
    std::string bytes;
    while (*hex) {
        if (*hex == ' ') {
            ++hex;
            continue;
        }
        bytes += (char)strtoul(std::string(hex, 2).c_str(), NULL, 16);
        hex += 2;
    }
    return bytes;
}

struct SeedAnswer {
    uint8_t driveClass;
    uint32_t request;
    const char* hex;
};

// Answers laid out as the standards and Windows' headers define them.
static const SeedAnswer SeedAnswers[] = {
    // STORAGE_DEVICE_NUMBER: a disk, device 1, partition 2.
    {FixedClass, IOCTL_STORAGE_GET_DEVICE_NUMBER, "07000000 01000000 02000000"},
    // DEVICE_SEEK_PENALTY_DESCRIPTOR: a rotating disk.
    {FixedClass, IOCTL_STORAGE_QUERY_PROPERTY, "0c000000 0c000000 01000000"},
    // SCSI_ADDRESS: port 1, path 2, target 3, LUN 0.
    {OpticalClass, IOCTL_SCSI_GET_ADDRESS, "08000000 01020300"},
    // GET CONFIGURATION of a DVD writer without a disc: 8 listed profiles.
    {OpticalClass, ScsiRequest + 0x46,
     "00000028 00000000 00000320 00080000 00090000 000a0000 00100000 00110000 001a0000 001b0000 002b0000"},
    // The same through the class driver, a DVD-ROM disc in.
    {OpticalClass, IOCTL_CDROM_GET_CONFIGURATION,
     "00000028 00000010 00000320 00080000 00090000 000a0000 00100100 00110000 001a0000 001b0000 002b0000"},
    // INQUIRY of a CD/DVD device.
    {OpticalClass, ScsiRequest + 0x12,
     "05800032 1f000000 56454e444f522020 4456442d5257204452495645202020 20 312e3030"},
    // MODE SENSE(6), capabilities page 2Ah of a DVD-RAM writer.
    {OpticalClass, ScsiRequest + 0x1A,
     "19000000 2a143f37 00000000 00000000 00000000 00000000 0000"},
    // GET_MEDIA_TYPES of a CD-ROM device with one CD medium.
    {OpticalClass, IOCTL_STORAGE_GET_MEDIA_TYPES_EX,
     "02000000 01000000 0000000000000000 20000000 01000000 01000000 00080000 01000000 0d000000"},
    // DISK_GEOMETRY of 1.44 MB and 720 KB 3.5" formats.
    {RemovableClass, IOCTL_STORAGE_GET_MEDIA_TYPES,
     "5000000000000000 02000000 02000000 12000000 00020000 5000000000000000 05000000 02000000 09000000 00020000"},
    {RemovableClass, IOCTL_DISK_GET_DRIVE_GEOMETRY, "5000000000000000 02000000 02000000 12000000 00020000"},
};

static std::vector<DriveInput> SeedDrives() {
    std::vector<DriveInput> drives;
    for (const std::string& name : MatchingFileNames(TestDataPath("ata"), "*.identify")) {
        std::string identify = ReadTextFile(TestDataPath("ata\\" + name));
        drives.push_back(DriveInput{FixedClass, 0, {{SMART_RCV_DRIVE_DATA, TruthfulSize, 0, IdentifyReply(identify)}}});
    }
    drives.push_back(DriveInput{OpticalClass, 0, {}});
    drives.push_back(DriveInput{RemovableClass, 0, {}});
    for (DriveInput& drive : drives)
        for (const SeedAnswer& seed : SeedAnswers)
            if (seed.driveClass == drive.driveClass)
                drive.answers.push_back(FuzzedAnswer{seed.request, TruthfulSize, 0, FromHex(seed.hex)});
    return drives;
}

static const DWORD RefusedAccesses[] = {0, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};

// A few mutations of one answer each, or of the drive's access.
static void MutateDrive(FuzzRandom& random, DriveInput& drive) {
    for (size_t count = 1 + RandomBelow(random, 3); count > 0 && !drive.answers.empty(); --count) {
        size_t index = RandomBelow(random, drive.answers.size());
        FuzzedAnswer& answer = drive.answers[index];
        std::string& bytes = answer.bytes;
        switch (RandomBelow(random, 10)) {
        case 0: Truncate(random, bytes); break;
        case 1: Lengthen(random, bytes, 600); break;
        case 2: FlipBits(random, bytes); break;
        case 3: InsertBytes(random, bytes); break;
        case 4: DeleteBytes(random, bytes); break;
        case 5:  // a length, a count or a profile that lies
            if (!bytes.empty()) bytes[RandomBelow(random, bytes.size() < 16 ? bytes.size() : 16)] = (char)NextRandom(random);
            break;
        case 6: answer.reported = (uint32_t)RandomBelow(random, bytes.size() + 64); break;
        case 7: answer.reported = NextRandom(random); break;
        case 8: answer.status = RandomBelow(random, 2) ? 2 : 0; break;
        default: drive.refusedAccess = RefusedAccesses[RandomBelow(random, 3)];
        }
    }
}

static void AppendNumber(std::string& bytes, uint32_t value) {
    bytes.append((const char*)&value, sizeof value);
}

static bool TakeNumber(const std::string& bytes, size_t* at, uint32_t* value) {
    if (bytes.size() - *at < sizeof *value) return false;
    memcpy(value, bytes.data() + *at, sizeof *value);
    *at += sizeof *value;
    return true;
}

// "DRV1", class, access, then each answer: request, reported size,
// status, length and bytes.
static std::string Serialized(const DriveInput& drive) {
    std::string bytes = "DRV1";
    bytes += (char)drive.driveClass;
    AppendNumber(bytes, drive.refusedAccess);
    for (const FuzzedAnswer& answer : drive.answers) {
        AppendNumber(bytes, answer.request);
        AppendNumber(bytes, answer.reported);
        bytes += (char)answer.status;
        AppendNumber(bytes, (uint32_t)answer.bytes.size());
        bytes += answer.bytes;
    }
    return bytes;
}

static bool Deserialize(const std::string& bytes, DriveInput* drive) {
    if (bytes.compare(0, 4, "DRV1") != 0 || bytes.size() < 9) return false;
    drive->driveClass = (uint8_t)bytes[4];
    size_t at = 5;
    TakeNumber(bytes, &at, &drive->refusedAccess);
    while (at < bytes.size()) {
        FuzzedAnswer answer;
        uint32_t length;
        if (!TakeNumber(bytes, &at, &answer.request) || !TakeNumber(bytes, &at, &answer.reported) ||
            at >= bytes.size())
            return false;
        answer.status = (uint8_t)bytes[at++];
        if (!TakeNumber(bytes, &at, &length) || bytes.size() - at < length) return false;
        answer.bytes = bytes.substr(at, length);
        at += length;
        drive->answers.push_back(answer);
    }
    return true;
}

static const DriveInput* Answering;
static DeviceAccess Replay;  // the device replay, which answers first
static BYTE Poison;

static const FuzzedAnswer* AnswerTo(uint32_t request) {
    for (const FuzzedAnswer& answer : Answering->answers)
        if (answer.request == request) return &answer;
    return NULL;
}

// The replay's answer with the size the input claims; every byte after
// the claimed end is poison.
static BOOL LyingControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) {
    bool scsi = code == IOCTL_SCSI_PASS_THROUGH && inSize >= sizeof(SCSI_PASS_THROUGH);
    const FuzzedAnswer* answer = AnswerTo(scsi ? ScsiRequest + ((SCSI_PASS_THROUGH*)in)->Cdb[0] : code);
    if (!Replay.control(device, code, in, inSize, out, outSize, returned)) return FALSE;
    bool lies = answer && answer->reported != TruthfulSize;
    DWORD claimed = *returned;
    if (scsi) {
        SCSI_PASS_THROUGH* header = (SCSI_PASS_THROUGH*)out;
        if (lies) header->DataTransferLength = answer->reported;
        DWORD room = outSize - header->DataBufferOffset;
        claimed = header->DataBufferOffset + (header->DataTransferLength < room ? header->DataTransferLength : room);
    } else if (lies) {
        claimed = answer->reported < outSize ? answer->reported : outSize;
    }
    *returned = claimed;
    memset((BYTE*)out + claimed, Poison, outSize - claimed);
    return TRUE;
}

static void AddDevice(DeviceMap& devices, const std::string& path, const DriveInput& drive) {
    ReplayedDevice& device = devices[path];
    device.refusedAccess = drive.refusedAccess;
    for (const FuzzedAnswer& answer : drive.answers) {
        if (answer.request >= ScsiRequest && answer.request < ScsiRequest + 0x100)
            device.scsi[(uint8_t)answer.request] = ScsiReply{answer.bytes, answer.status, 0};
        else
            device.replies[answer.request] = answer.bytes;
    }
}

// The devices of the drive: its volume, and for a fixed disk the disk the
// device number names and disk 0, where a misread number leads.
static DeviceMap DevicesOf(const DriveInput& drive) {
    DeviceMap devices;
    static const char* const Volumes[] = {"\\\\.\\C:", "\\\\.\\Q:", "\\\\.\\A:"};
    AddDevice(devices, Volumes[drive.driveClass % 3], drive);
    const FuzzedAnswer* number = NULL;
    for (const FuzzedAnswer& answer : drive.answers)
        if (answer.request == IOCTL_STORAGE_GET_DEVICE_NUMBER) number = &answer;
    uint32_t disk = 0;
    if (number && number->bytes.size() >= 8) memcpy(&disk, number->bytes.data() + 4, sizeof disk);
    char path[40];
    for (uint32_t n : {disk, 0u}) {
        wsprintfA(path, "\\\\.\\PhysicalDrive%u", n);
        AddDevice(devices, path, drive);
    }
    return devices;
}

struct DriveRun {
    const DriveInput* drive;
    std::string kind;
};

static void ClassifyDrive(void* context) {
    DriveRun* run = (DriveRun*)context;
    if (run->drive->driveClass == FixedClass) {
        char kind[FixedDriveKindSize];
        FormatFixedDriveKind('C', kind);
        run->kind = kind;
    } else if (run->drive->driveClass == OpticalClass) {
        int32_t profile = ProbeOpticalProfile('Q');
        run->kind = std::to_string(profile) + " " + OpticalDriveKind(profile);
    } else {
        run->kind = RemovableDriveKind('A');
    }
}

// The kind with the unreturned bytes as `poison`, or how it failed.
static std::string KindWithPoison(const DriveInput& drive, BYTE poison, bool* failed) {
    DeviceMap devices = DevicesOf(drive);
    DeviceSwap replay(&devices);
    Replay = Devices;
    ScopedSwap<DeviceAccess> lying(Devices, DeviceAccess{Replay.open, LyingControl, Replay.close});
    Answering = &drive;
    Poison = poison;
    DriveRun run = {&drive, ""};
    char fault[120];
    bool clean = RunWatched(Serialized(drive), ClassifyDrive, &run, fault, sizeof fault);
    *failed = !clean || OpenReplayedHandles() != 0;
    if (!clean) return fault;
    if (OpenReplayedHandles() != 0) return "a handle left open";
    return run.kind;
}

// The verdict on one input: empty when the kind stood whatever the
// unreturned bytes held.
static std::string FailureOf(const DriveInput& drive) {
    bool failed = false;
    std::string clean = KindWithPoison(drive, 0x00, &failed);
    if (failed) return clean;
    std::string poisoned = KindWithPoison(drive, 0xA5, &failed);
    if (failed) return poisoned;
    if (poisoned != clean) return "unreturned bytes read: " + clean + " | " + poisoned;
    return "";
}

class DriveFuzz : public ::testing::Test {
protected:
    HangWatch watch{20000, "drive", ".bin"};
};

TEST_F(DriveFuzz, MutatedAnswersGiveAKindThatUnreturnedBytesDoNotChange) {
    std::vector<DriveInput> seeds = SeedDrives();
    ASSERT_EQ(5u, seeds.size());
    for (const DriveInput& seed : seeds) ASSERT_EQ("", FailureOf(seed));
    FuzzRandom random = SeededRandom(2);
    FuzzBudget budget = BudgetOf(30000, 0.4);
    unsigned done = 0;
    DWORD start = GetTickCount();
    for (; BudgetLeft(budget, done); ++done) {
        DriveInput drive = seeds[RandomBelow(random, seeds.size())];
        MutateDrive(random, drive);
        std::string failure = FailureOf(drive);
        if (!failure.empty()) {
            ADD_FAILURE() << failure << "\nkept as " << KeepFailingInput("drive", ".bin", Serialized(drive));
            break;
        }
    }
    printf("%u mutated drive inputs in %lu ms\n", done, GetTickCount() - start);
}

TEST_F(DriveFuzz, KeptInputsGiveAKindThatUnreturnedBytesDoNotChange) {
    for (const std::string& path : KeptInputs("drive")) {
        DriveInput drive = {};
        ASSERT_TRUE(Deserialize(ReadTextFile(path), &drive)) << path;
        EXPECT_EQ("", FailureOf(drive)) << path;
    }
}
