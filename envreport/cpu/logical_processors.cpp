#include "envreport/cpu/logical_processors.h"

#include <windows.h>

#include <cstdlib>

#include "common/optional_functions.h"

// Both calls arrived with processor groups (Windows 7).
static const WORD AllProcessorGroups = 0xFFFF;
static const int RelationProcessorCoreCode = 0;
static const int RelationProcessorPackageCode = 3;
static const int RelationAllCode = 0xFFFF;

// Each record starts with its relationship and its size in bytes; only
// those two are read, so the records' layout beyond them does not matter.
static void CountCoresAndPackages(unsigned* cores, unsigned* packages) {
    GetLogicalProcessorInformationExFunction information = OptionalGetLogicalProcessorInformationEx();
    DWORD length = 0;
    if (!information || information(RelationAllCode, NULL, &length) || length < 8) return;
    BYTE* records = (BYTE*)malloc(length);
    if (!records) return;
    if (information(RelationAllCode, records, &length)) {
        for (DWORD at = 0; at + 8 <= length;) {
            const DWORD* header = (const DWORD*)(records + at);
            if (header[0] == RelationProcessorCoreCode) ++*cores;
            if (header[0] == RelationProcessorPackageCode) ++*packages;
            if (header[1] == 0) break;
            at += header[1];
        }
    }
    free(records);
}

unsigned LiveMachineProcessors(unsigned* cores, unsigned* packages) {
    *cores = 0;
    *packages = 0;
    GetActiveProcessorCountFunction activeCount = OptionalGetActiveProcessorCount();
    unsigned count = activeCount ? activeCount(AllProcessorGroups) : 0;
    if (count == 0) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        count = system.dwNumberOfProcessors;
    }
    CountCoresAndPackages(cores, packages);
    return count;
}
