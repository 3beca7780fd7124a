// The program's version, written once: the version resource shows it,
// the About box and the report's client line read it from there, and the
// release zip is named after it.
#pragma once

#define SWAYPIX_VERSION_MAJOR 2
#define SWAYPIX_VERSION_MINOR 1
#define SWAYPIX_VERSION_PATCH 5
#define SWAYPIX_VERSION_BUILD 3
#define SWAYPIX_BUILD_DATE "2012/07/08"

#define SWAYPIX_TEXT_OF(number) #number
#define SWAYPIX_TEXT(number) SWAYPIX_TEXT_OF(number)
#define SWAYPIX_VERSION_TEXT                                                                     \
    SWAYPIX_TEXT(SWAYPIX_VERSION_MAJOR) "." SWAYPIX_TEXT(SWAYPIX_VERSION_MINOR) "."              \
        SWAYPIX_TEXT(SWAYPIX_VERSION_PATCH) "." SWAYPIX_TEXT(SWAYPIX_VERSION_BUILD)
