#include "tests/support/device_replay.h"

#include <winioctl.h>
#include <ntddscsi.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "envreport/devices/device_access.h"

static const std::map<std::string, ReplayedDevice>* Replayed;
static std::vector<std::string> OpenedPaths;  // a handle is its index + 1
static int OpenHandles;
static std::string Opens;

static HANDLE ReplayOpen(const char* path, DWORD access) {
    char line[128];
    snprintf(line, sizeof line, "%s %lx\n", path, access);
    Opens += line;
    if (Replayed->find(path) == Replayed->end()) return INVALID_HANDLE_VALUE;
    OpenedPaths.push_back(path);
    ++OpenHandles;
    return (HANDLE)(uintptr_t)OpenedPaths.size();
}

static BOOL ReplayClose(HANDLE) {
    --OpenHandles;
    return TRUE;
}

static const ReplayedDevice* DeviceOf(HANDLE handle) {
    size_t index = (size_t)(uintptr_t)handle - 1;
    return index < OpenedPaths.size() ? &Replayed->at(OpenedPaths[index]) : NULL;
}

// The drive moves at most the bytes asked for and reports how many.
static BOOL ReplayPassThrough(const ReplayedDevice& device, void* in, DWORD inSize, void* out, DWORD outSize,
                              DWORD* returned) {
    if (inSize < sizeof(SCSI_PASS_THROUGH) || in != out) return FALSE;
    SCSI_PASS_THROUGH* request = (SCSI_PASS_THROUGH*)in;
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

static BOOL ReplayControl(HANDLE handle, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                          DWORD* returned) {
    *returned = 0;
    const ReplayedDevice* device = DeviceOf(handle);
    if (!device) return FALSE;
    if (code == IOCTL_SCSI_PASS_THROUGH) return ReplayPassThrough(*device, in, inSize, out, outSize, returned);
    if (code == SMART_RCV_DRIVE_DATA && !IsIdentifyRequest(OpenedPaths[(uintptr_t)handle - 1].c_str(), in, inSize))
        return FALSE;
    auto reply = device->replies.find(code);
    if (reply == device->replies.end() || reply->second.size() > outSize) return FALSE;
    memcpy(out, reply->second.data(), reply->second.size());
    *returned = (DWORD)reply->second.size();
    return TRUE;
}

void UseReplayedDevices(const std::map<std::string, ReplayedDevice>* devices) {
    Replayed = devices;
    OpenedPaths.clear();
    OpenHandles = 0;
    Opens.clear();
    Devices = {ReplayOpen, ReplayControl, ReplayClose};
}

void UseLiveDevices() {
    Devices = LiveDevices;
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
