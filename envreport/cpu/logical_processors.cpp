#include "envreport/cpu/logical_processors.h"

#include <windows.h>

#include <cstdlib>

#include "common/optional_functions.h"

// Each record starts with its relationship and its size in bytes; only
// those two are read, so the records' layout beyond them does not matter.
static void CountCoresAndPackages(unsigned* cores, unsigned* packages) {
    GetLogicalProcessorInformationExFunction information = OptionalGetLogicalProcessorInformationEx();
    DWORD length = 0;
    if (!information || information(RelationAll, NULL, &length) || length < 8) return;
    BYTE* records = (BYTE*)malloc(length);
    if (!records) return;
    if (information(RelationAll, (PSYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX)records, &length)) {
        for (DWORD at = 0; at + 8 <= length;) {
            const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX* record =
                (const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*)(records + at);
            if (record->Relationship == RelationProcessorCore) ++*cores;
            if (record->Relationship == RelationProcessorPackage) ++*packages;
            if (record->Size == 0) break;
            at += record->Size;
        }
    }
    free(records);
}

unsigned LiveMachineProcessors(unsigned* cores, unsigned* packages) {
    *cores = 0;
    *packages = 0;
    GetActiveProcessorCountFunction activeCount = OptionalGetActiveProcessorCount();
    unsigned count = activeCount ? activeCount(ALL_PROCESSOR_GROUPS) : 0;
    if (count == 0) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        count = system.dwNumberOfProcessors;
    }
    CountCoresAndPackages(cores, packages);
    return count;
}
