// The kind of a removable drive, named by the media type it reports.
#pragma once
#include <windows.h>

// "3.5"FDD   ", "Removable " and the like; "FDD/RMV   " when the volume
// cannot be opened.
const char* RemovableDriveKind(char letter);

// The kind text of a MEDIA_TYPE value.
const char* MediaTypeKind(DWORD mediaType);
