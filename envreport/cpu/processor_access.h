// The processor instructions the report issues: CPUID (on any logical
// processor), the EFLAGS ID test, the Cyrix divide test and RDTSC, and
// the count of processors. They are reached only through
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
    // Leaf and sub-leaf on logical processor `cpu`, 0 to cpuCount() - 1.
    void (*cpuidOn)(unsigned cpu, uint32_t leaf, uint32_t subleaf, CpuidRegisters* out);
    unsigned (*cpuCount)();  // the processors cpuidOn can reach
    // Every logical processor of the machine, all groups; cores and
    // packages 0 when unknown.
    unsigned (*machineProcessors)(unsigned* cores, unsigned* packages);
};

extern ProcessorAccess Processor;
extern const ProcessorAccess LiveProcessor;
