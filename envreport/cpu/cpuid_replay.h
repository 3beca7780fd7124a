// Replaying a recorded CPUID dump (the raw form of `cpuid -r -1`) in place
// of the live processor, so maintainers can see the report of a user's
// processor and tests can drive the whole section with real registers.
#pragma once
#include <cstddef>

// Reads the dump and, when it is well formed, makes `Processor` answer
// from it: leaves absent from the file read as four zeros, CPUID exists,
// the Cyrix divide test says no. On failure `error` says why (line number
// and problem, the path in UTF-8) and nothing is changed.
bool ReplayCpuidDump(const wchar_t* path, char* error, size_t errorSize);

// The same, from text already in memory.
bool ReplayCpuidText(const char* text, char* error, size_t errorSize);
