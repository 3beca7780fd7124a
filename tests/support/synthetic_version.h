// Presenting the report a Windows version record that Wine cannot be.
#pragma once
#include <windows.h>

#include <map>

#include "common/session_access.h"
#include "envreport/os/version_access.h"
#include "tests/support/scoped_swap.h"

struct SyntheticVersion {
    OSVERSIONINFOEXA record;  // the basic query sees its first part
    bool extendedFails;       // as before NT 4.0 SP6
    bool hasProductInfo;      // as from Vista on
    DWORD productInfoType;
    std::map<int, int> metrics;  // SM_TABLETPC and the like; others live
    WORD nativeArchitecture;
    USHORT nativeMachine;  // 0: no IsWow64Process2
};

// For one scope: `Version` answers from `version` (kept by pointer), and
// so do the system metrics of `Session` that it names; both come back
// when the scope ends.
struct VersionSwap {
    ScopedSwap<VersionAccess> version;
    ScopedSwap<SessionAccess> session;
    explicit VersionSwap(const SyntheticVersion* presented);
};
