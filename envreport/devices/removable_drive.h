// The kind of a removable drive, named by the media type it reports.
#pragma once

// "3.5"FDD   ", "Removable " and the like; "FDD/RMV   " when the volume
// cannot be opened.
const char* RemovableDriveKind(char letter);
