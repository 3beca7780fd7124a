// A timeout in seconds as the power and idle lines write it: "never",
// whole minutes, or seconds.
#pragma once
#include <windows.h>

const unsigned IdleDurationSize = 24;

void FormatIdleDuration(DWORD seconds, char (&text)[IdleDurationSize]);
