// Presenting the report a Windows version record that Wine cannot be.
#pragma once
#include <windows.h>

#include <map>

struct SyntheticVersion {
    OSVERSIONINFOEXA record;  // the basic query sees its first part
    bool extendedFails;       // as before NT 4.0 SP6
    bool hasProductInfo;      // as from Vista on
    DWORD productInfoType;
    std::map<int, int> metrics;  // SM_TABLETPC and the like; others 0
    WORD nativeArchitecture;
    USHORT nativeMachine;  // 0: no IsWow64Process2
};

// Makes `Version` answer from `version` (kept by pointer).
void UseSyntheticVersion(const SyntheticVersion* version);
void UseLiveVersion();
