// A GUID as the registry and the power tools write it: 36 hex digits and
// dashes, without braces.
#pragma once
#include <windows.h>

const unsigned GuidTextSize = 37;

// Lower-case, as the power manager's own keys name settings.
void FormatGuidText(const GUID& guid, char (&text)[GuidTextSize]);

// That form in either case, braced or not; false for anything else.
bool ParseGuidText(const char* text, GUID* guid);
