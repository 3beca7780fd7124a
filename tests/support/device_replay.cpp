#include "tests/support/device_replay.h"

#include <winioctl.h>
#include <ntddscsi.h>
#include <ntddcdrm.h>
#include <ntddmmc.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "envreport/devices/device_access.h"

struct ReplayedHandle {
    std::string path;
    DWORD access;  // as the open asked for it
    bool closed;
};

static const std::map<std::string, ReplayedDevice>* Replayed;
static std::vector<ReplayedHandle> Handles;  // a handle is its index + 1
static int OpenHandles;
static std::string Opens;

static HANDLE ReplayOpen(const char* path, DWORD access) {
    char line[128];
    snprintf(line, sizeof line, "%s %lx\n", path, access);
    Opens += line;
    auto device = Replayed->find(path);
    if (device == Replayed->end() || (access & device->second.refusedAccess)) return INVALID_HANDLE_VALUE;
    Handles.push_back({path, access, false});
    ++OpenHandles;
    return (HANDLE)(uintptr_t)Handles.size();
}

static ReplayedHandle* OpenHandleOf(HANDLE handle) {
    size_t index = (size_t)(uintptr_t)handle - 1;
    return index < Handles.size() && !Handles[index].closed ? &Handles[index] : NULL;
}

// Closing a handle twice, or one never handed out, fails as on Windows
// and does not count.
static BOOL ReplayClose(HANDLE handle) {
    ReplayedHandle* open = OpenHandleOf(handle);
    if (!open) return FALSE;
    open->closed = true;
    --OpenHandles;
    return TRUE;
}

// Bits 14-15 of a control code: FILE_READ_ACCESS 1, FILE_WRITE_ACCESS 2.
// The I/O manager refuses the request on a handle opened without them.
static bool AccessAllows(DWORD access, DWORD code) {
    DWORD required = (code >> 14) & 3;
    bool read = (access & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA)) != 0;
    bool write = (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA)) != 0;
    return (!(required & FILE_READ_ACCESS) || read) && (!(required & FILE_WRITE_ACCESS) || write);
}

// The fields a drive needs to carry out the command; a driver or drive
// would reject, or misread, a request without them.
struct ScsiShape {
    uint8_t operation, cdbLength, senseLength;
    ULONG dataLength, timeout;
    DWORD inSize, outSize;
    int cdbIndex[2];
    uint8_t cdbValue[2];
};

static const ScsiShape ScsiShapes[] = {
    {0x46, 10, 32, 512, 10, 592, 592, {1, 8}, {0x02, 0xFF}},  // GET CONFIGURATION, Profile List only
    {0x12, 6, 24, 192, 2, 44, 272, {4, 4}, {0xC0, 0xC0}},     // INQUIRY
    {0x1A, 6, 24, 192, 2, 44, 272, {1, 2}, {0x08, 0x2A}},     // MODE SENSE, page 2Ah
};

static bool IsWellFormed(const ReplayedDevice& device, const SCSI_PASS_THROUGH& request, DWORD inSize, DWORD outSize) {
    if (request.Length != sizeof request || request.DataIn != SCSI_IOCTL_DATA_IN || request.SenseInfoOffset != 48 ||
        request.DataBufferOffset != 80)
        return false;
    for (const ScsiShape& shape : ScsiShapes) {
        if (shape.operation != request.Cdb[0]) continue;
        bool fields = request.CdbLength == shape.cdbLength && request.SenseInfoLength == shape.senseLength &&
                      request.DataTransferLength == shape.dataLength && request.TimeOutValue == shape.timeout &&
                      inSize == shape.inSize && outSize == shape.outSize &&
                      request.Cdb[shape.cdbIndex[0]] == shape.cdbValue[0] &&
                      request.Cdb[shape.cdbIndex[1]] == shape.cdbValue[1];
        if (!fields) return false;
        // GET CONFIGURATION goes to the drive's own address; the others
        // to target 1, as they always have.
        if (shape.operation != 0x46) return request.PathId == 0 && request.TargetId == 1 && request.Lun == 0;
        auto address = device.replies.find(IOCTL_SCSI_GET_ADDRESS);
        if (address == device.replies.end() || address->second.size() < sizeof(SCSI_ADDRESS)) return false;
        const SCSI_ADDRESS* own = (const SCSI_ADDRESS*)address->second.data();
        return request.PathId == own->PathId && request.TargetId == own->TargetId && request.Lun == own->Lun;
    }
    return false;
}

// The drive moves at most the bytes asked for and reports how many.
static BOOL ReplayPassThrough(const ReplayedDevice& device, void* in, DWORD inSize, void* out, DWORD outSize,
                              DWORD* returned) {
    if (inSize < sizeof(SCSI_PASS_THROUGH) || in != out) return FALSE;
    SCSI_PASS_THROUGH* request = (SCSI_PASS_THROUGH*)in;
    if (!IsWellFormed(device, *request, inSize, outSize)) return FALSE;
    auto reply = device.scsi.find(request->Cdb[0]);
    if (reply == device.scsi.end()) return FALSE;
    size_t room = outSize > request->DataBufferOffset ? outSize - request->DataBufferOffset : 0;
    size_t length = reply->second.data.size();
    if (length > request->DataTransferLength) length = request->DataTransferLength;
    if (length > room) length = room;
    memcpy((BYTE*)out + request->DataBufferOffset, reply->second.data.data(), length);
    size_t reported = reply->second.reported;
    if (reported != 0 && reported < length) length = reported;
    request->DataTransferLength = (ULONG)length;
    request->ScsiStatus = reply->second.status;
    *returned = (DWORD)(request->DataBufferOffset + length);
    return TRUE;
}

// Only an IDENTIFY DEVICE addressed to the drive's own position on its
// channel is answered.
static bool IsIdentifyRequest(const char* path, const void* in, DWORD inSize) {
    if (inSize < sizeof(SENDCMDINPARAMS)) return false;
    const SENDCMDINPARAMS* request = (const SENDCMDINPARAMS*)in;
    unsigned drive = 0;
    sscanf(path, "\\\\.\\PhysicalDrive%u", &drive);
    return request->irDriveRegs.bCommandReg == ID_CMD && request->bDriveNumber == drive &&
           request->irDriveRegs.bDriveHeadReg == ((drive & 1) ? 0xB0 : 0xA0) && request->cBufferSize == 512;
}

// The storage and CD-ROM class drivers answer only the one query the
// report makes of them.
static bool IsExpectedQuery(DWORD code, const void* in, DWORD inSize) {
    if (code == IOCTL_STORAGE_QUERY_PROPERTY) {
        const STORAGE_PROPERTY_QUERY* query = (const STORAGE_PROPERTY_QUERY*)in;
        return inSize >= sizeof *query && query->PropertyId == StorageDeviceSeekPenaltyProperty &&
               query->QueryType == PropertyStandardQuery;
    }
    if (code == IOCTL_CDROM_GET_CONFIGURATION) {
        const GET_CONFIGURATION_IOCTL_INPUT* request = (const GET_CONFIGURATION_IOCTL_INPUT*)in;
        return inSize == sizeof *request && request->Feature == FeatureProfileList &&
               request->RequestType == SCSI_GET_CONFIGURATION_REQUEST_TYPE_ONE;
    }
    return true;
}

static BOOL ReplayControl(HANDLE handle, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                          DWORD* returned) {
    *returned = 0;
    const ReplayedHandle* open = OpenHandleOf(handle);
    if (!open || !AccessAllows(open->access, code)) return FALSE;
    const ReplayedDevice* device = &Replayed->at(open->path);
    Sleep(device->delayMs);
    if (code == IOCTL_SCSI_PASS_THROUGH) return ReplayPassThrough(*device, in, inSize, out, outSize, returned);
    if (code == SMART_RCV_DRIVE_DATA && !IsIdentifyRequest(open->path.c_str(), in, inSize)) return FALSE;
    if (!IsExpectedQuery(code, in, inSize)) return FALSE;
    auto reply = device->replies.find(code);
    if (reply == device->replies.end() || reply->second.size() > outSize) return FALSE;
    memcpy(out, reply->second.data(), reply->second.size());
    *returned = (DWORD)reply->second.size();
    auto reported = device->reported.find(code);
    if (reported != device->reported.end() && reported->second < *returned) *returned = reported->second;
    return TRUE;
}

void UseReplayedDevices(const std::map<std::string, ReplayedDevice>* devices) {
    Replayed = devices;
    Handles.clear();
    OpenHandles = 0;
    Opens.clear();
}

static const DeviceAccess ReplayedAccess = {ReplayOpen, ReplayControl, ReplayClose};

DeviceSwap::DeviceSwap(const std::map<std::string, ReplayedDevice>* devices) : access(Devices, ReplayedAccess) {
    UseReplayedDevices(devices);
}

int OpenReplayedHandles() {
    return OpenHandles;
}

std::string ReplayedOpens() {
    return Opens;
}

std::string IdentifyReply(const std::string& identify) {
    return std::string(offsetof(SENDCMDOUTPARAMS, bBuffer), '\0') + identify;
}
