#include "envreport/devices/device_access.h"

static HANDLE LiveOpen(const char* path, DWORD access) {
    return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
}

static BOOL LiveControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) {
    return DeviceIoControl(device, code, in, inSize, out, outSize, returned, NULL);
}

static BOOL LiveClose(HANDLE device) {
    return CloseHandle(device);
}

const DeviceAccess LiveDevices = {LiveOpen, LiveControl, LiveClose};
DeviceAccess Devices = LiveDevices;

HANDLE OpenVolume(char letter, DWORD access) {
    char path[] = "\\\\.\\?:";
    path[4] = letter;
    return Devices.open(path, access);
}
