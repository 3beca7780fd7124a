#include "envreport/devices/removable_drive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstddef>
#include <cstring>

#include "envreport/devices/device_access.h"

static const char Floppy525[] = "5.25\"FDD  ";
static const char Floppy35[] = "3.5\"FDD   ";
static const char Floppy8[] = "8\"FDD     ";
static const char Removable[] = "Removable ";

// Indexed by MEDIA_TYPE, F5_1Pt2_512 (1) to F8_256_128 (22).
static const char* const MediaTypeKinds[] = {
    Removable,  Floppy525, Floppy35,  Floppy35,  Floppy35,  Floppy35,  Floppy525, Floppy525,
    Floppy525,  Floppy525, Floppy525, Removable, Removable, Floppy35,  Floppy35,  Floppy525,
    Floppy525,  Floppy35,  Floppy35,  Floppy525, Floppy35,  Floppy35,  Floppy8,
};

// The kind text of a MEDIA_TYPE value.
static const char* MediaTypeKind(DWORD mediaType) {
    if (mediaType >= sizeof MediaTypeKinds / sizeof MediaTypeKinds[0]) return Removable;
    return MediaTypeKinds[mediaType];
}

// The media type of the first geometry the request lists; false when it
// fails or its reply does not hold one whole geometry.
static bool QueryFirstMediaType(HANDLE device, DWORD code, DWORD* mediaType) {
    BYTE geometries[768] = {};
    DWORD returned = 0;
    if (!Devices.control(device, code, NULL, 0, geometries, sizeof geometries, &returned) ||
        returned < sizeof(DISK_GEOMETRY))
        return false;
    memcpy(mediaType, geometries + offsetof(DISK_GEOMETRY, MediaType), sizeof *mediaType);
    return true;
}

// From the media types, else the drive's geometry; Unknown (0) when
// neither answers.
static DWORD FirstMediaType(HANDLE device) {
    DWORD mediaType = Unknown;
    if (!QueryFirstMediaType(device, IOCTL_STORAGE_GET_MEDIA_TYPES, &mediaType))
        QueryFirstMediaType(device, IOCTL_DISK_GET_DRIVE_GEOMETRY, &mediaType);
    return mediaType;
}

const char* RemovableDriveKind(char letter) {
    // Access 0: the queries need no read access, so an empty drive opens.
    HANDLE device = OpenVolume(letter, 0);
    if (device == INVALID_HANDLE_VALUE) return "FDD/RMV   ";
    DWORD mediaType = FirstMediaType(device);
    Devices.close(device);
    return MediaTypeKind(mediaType);
}
