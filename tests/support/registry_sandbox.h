// A private HKEY_LOCAL_MACHINE for this test process: the real registry
// API on a key of the test's own, so the machine keys the report reads can
// be written, removed and varied without touching the prefix's.
#pragma once
#include <windows.h>

#include <vector>

// Maps HKEY_LOCAL_MACHINE to an empty key under HKEY_CURRENT_USER.
void EnterRegistrySandbox();
// Restores the real HKEY_LOCAL_MACHINE and deletes the private one.
void LeaveRegistrySandbox();

// Writes under HKEY_LOCAL_MACHINE (the sandbox while it is entered),
// creating the key.
void PutRegString(const char* keyPath, const char* name, const char* value);
void PutRegDword(const char* keyPath, const char* name, DWORD value);

// The values the next `count` opened handles would get. Handles are handed
// out lowest free first, so a handle left open in between changes them.
std::vector<HANDLE> NextFreeHandles(int count);
