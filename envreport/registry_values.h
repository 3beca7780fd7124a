// Reading values under a registry key for the report.
#pragma once
#include <windows.h>

#include <cstddef>

// The key opened for KEY_QUERY_VALUE, in the registry view `view` names
// (KEY_WOW64_64KEY or none), or NULL. The caller closes it.
HKEY OpenRegKeyForQuery(HKEY root, const char* subkey, REGSAM view = 0);

// A string value (REG_SZ, REG_EXPAND_SZ unexpanded, REG_MULTI_SZ) as a new
// array the caller releases with free(), or null. The array holds two
// zero bytes beyond the stored data, so a value stored without its
// terminator is still a terminated text. When the array cannot be had the
// report is failed for want of memory and null comes back, so callers go
// their usual way, closing their keys, and the driver ends the run.
char* ReadRegString(HKEY key, const char* valueName);

// One string value under `subkey` of `root`, read as ReadRegString reads
// it; null when the key does not open or the value is missing.
char* ReadRegStringOfKey(HKEY root, const char* subkey, const char* valueName);

// A REG_DWORD value of exactly four bytes into `value`; false, leaving
// `value` alone, when there is none.
bool QueryRegDword(HKEY key, const char* valueName, DWORD& value);

// The same value, or 0 when there is none.
DWORD ReadRegDword(HKEY key, const char* valueName);
