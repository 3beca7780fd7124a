// Settings an administrator's policy puts in force over the user's own or
// the power plan's, and the mark the report puts after a value taken from
// one.
#pragma once
#include <windows.h>

#include "envreport/report_buffer.h"

// The policy key opened for KEY_QUERY_VALUE, or NULL; the caller closes
// it. Management tools write policies from 64-bit processes, so the key is
// opened in the 64-bit view where Windows has the flag for it (XP on;
// Windows 2000 does not know it, and 32-bit Windows ignores it).
HKEY OpenPolicyKey(HKEY root, const char* subkey);

// " (policy)" in the report's language.
void AppendPolicyMark(ReportBuffer& report);
