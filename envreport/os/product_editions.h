// The edition text of Vista and later, from GetProductInfo.
#pragma once
#include <windows.h>

// Sets `suffix` to the edition text (" Ultimate", " Professional", ...)
// and returns true; false, leaving `suffix` as it was, when Windows has no
// GetProductInfo or the call fails. A type not in the table reads
// " (Unknown Product:%08x)", kept in a buffer of this file until the next
// call.
bool GetProductInfoSuffix(const OSVERSIONINFOEXA& version, const char*& suffix);
