// The processor instructions the report issues: CPUID, the EFLAGS ID test,
// the Cyrix divide test and RDTSC. They are reached only through
// `Processor`, so a recorded dump can stand in for the live processor and
// drive exactly the code a live report runs.
#pragma once
#include <cstdint>

struct CpuidRegisters {
    uint32_t eax, ebx, ecx, edx;
};

struct ProcessorAccess {
    bool (*idFlagToggles)();  // CPUID exists
    void (*cpuid)(uint32_t leaf, CpuidRegisters* out);
    bool (*divideLeavesFlagsClear)();  // the old Cyrix test
    uint64_t (*readTimeStampCounter)();
};

extern ProcessorAccess Processor;
extern const ProcessorAccess LiveProcessor;
