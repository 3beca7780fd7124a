// Recorded drives answering the drive section's device requests in place
// of real hardware, through `Devices`.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "envreport/devices/device_access.h"
#include "tests/support/scoped_swap.h"

// What the drive sends back for one SCSI command: its data bytes and
// status (0 good, 2 check condition). A driver that leaves bytes behind
// the count it reports is modelled by `reported` below the data's size.
struct ScsiReply {
    std::string data;
    uint8_t status;
    size_t reported;  // 0: all of `data`
};

// A drive by what each request answers. A control code or SCSI operation
// without an entry fails as the driver would refuse it.
struct ReplayedDevice {
    std::map<DWORD, std::string> replies;  // output bytes by control code
    // A driver that writes the whole reply but reports fewer bytes
    // returned: that count by control code.
    std::map<DWORD, DWORD> reported;
    std::map<uint8_t, ScsiReply> scsi;     // by CDB operation code
    // An open asking for any of these access bits fails, as Windows
    // refuses a standard user GENERIC_WRITE on a volume or disk.
    DWORD refusedAccess;
    // Every request on it takes this long, as a drive spinning up does.
    DWORD delayMs;
};

// For one scope: `Devices` answers for the paths in `devices` (such as
// "\\.\C:"; kept by pointer), other paths do not open; the real devices
// come back when the scope ends.
struct DeviceSwap {
    ScopedSwap<DeviceAccess> access;
    explicit DeviceSwap(const std::map<std::string, ReplayedDevice>* devices);
};
// Points the replay at other devices and forgets what it recorded.
void UseReplayedDevices(const std::map<std::string, ReplayedDevice>* devices);

// Handles the replay handed out and not closed yet.
int OpenReplayedHandles();
// The paths opened since UseReplayedDevices, with the access asked for,
// as "path access" lines.
std::string ReplayedOpens();

// A SMART reply carrying the 512 bytes of IDENTIFY data.
std::string IdentifyReply(const std::string& identify);
