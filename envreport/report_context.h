// What every section of one report may read: the facts the driver gathers
// before the first section, and the processor facts probed once and kept
// for the sections after the one that probes them. The driver fills one
// record per report and hands it to each section.
#pragma once
#include <windows.h>

#include <cstdint>

struct CoreType {
    uint8_t code;       // leaf 1Ah EAX bits 24-31; 0 on a processor of one kind
    unsigned firstCpu;  // the first logical processor of the type
    unsigned count;
};

// In the order the types first appear from logical processor 0 up.
struct CoreTypeList {
    bool hybrid;  // leaf 7 EDX bit 15
    unsigned count;
    CoreType types[8];
};

struct ReportContext {
    SYSTEM_INFO system;      // taken before the first section
    const char* clientLine;  // the caller's product line for the Client line
    // Filled by the processor section before it prints the first of them;
    // no types where the processor has no CPUID.
    CoreTypeList coreTypes;
};
