// The device requests of the drive section: opening a volume or physical
// drive and sending it control codes. They are reached only through
// `Devices`, so recorded responses can stand in for real drives and drive
// exactly the classification code a live report runs.
#pragma once
#include <windows.h>

struct DeviceAccess {
    // CreateFileA with the access given, sharing read and write,
    // OPEN_EXISTING and no flags.
    HANDLE (*open)(const char* path, DWORD access);
    BOOL (*control)(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned);
    BOOL (*close)(HANDLE device);
};

extern DeviceAccess Devices;
extern const DeviceAccess LiveDevices;

// Opens "\\.\C:" for the drive letter through `Devices`.
HANDLE OpenVolume(char letter, DWORD access);
