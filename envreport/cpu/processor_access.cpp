#include "envreport/cpu/processor_access.h"

#include <windows.h>

#include "envreport/cpu/logical_processors.h"

// Flips the ID flag (bit 21) and reads it back: only a processor with
// CPUID lets software change it. The flags are restored afterwards.
static bool LiveIdFlagToggles() {
    uint32_t before, after;
    __asm__ volatile(
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl $0x200000, %1\n\t"
        "pushl %1\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %1\n\t"
        "pushl %0\n\t"
        "popfl"
        : "=&r"(before), "=&r"(after)
        :
        : "cc");
    return ((before ^ after) & 0x200000) != 0;
}

static void LiveCpuidSubleaf(uint32_t leaf, uint32_t subleaf, CpuidRegisters* out) {
    __asm__ volatile("cpuid"
                     : "=a"(out->eax), "=b"(out->ebx), "=c"(out->ecx), "=d"(out->edx)
                     : "a"(leaf), "c"(subleaf));
}

// Sub-leaf 0, so leaves that take one answer alike on every call.
static void LiveCpuid(uint32_t leaf, CpuidRegisters* out) {
    LiveCpuidSubleaf(leaf, 0, out);
}

static DWORD_PTR ProcessAffinity() {
    DWORD_PTR process = 0, system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) return 0;
    return process;
}

static unsigned LiveCpuCount() {
    unsigned count = 0;
    for (DWORD_PTR mask = ProcessAffinity(); mask; mask &= mask - 1) ++count;
    return count ? count : 1;
}

// The cpu-th processor of the process's mask; 0 when there is none.
static DWORD_PTR NthProcessorBit(unsigned cpu) {
    DWORD_PTR mask = ProcessAffinity();
    for (DWORD_PTR bit = 1; bit; bit <<= 1)
        if ((mask & bit) && cpu-- == 0) return bit;
    return 0;
}

// Pinned like the clock measurement: Windows moves the thread onto the
// processor at once, and the old mask is restored afterwards.
static void LiveCpuidOn(unsigned cpu, uint32_t leaf, uint32_t subleaf, CpuidRegisters* out) {
    HANDLE thread = GetCurrentThread();
    DWORD_PTR bit = NthProcessorBit(cpu);
    DWORD_PTR oldAffinity = bit ? SetThreadAffinityMask(thread, bit) : 0;
    LiveCpuidSubleaf(leaf, subleaf, out);
    if (oldAffinity) SetThreadAffinityMask(thread, oldAffinity);
}

// 5 / 2 with DIV after clearing SF, ZF, AF, PF and CF: Cyrix processors
// leave the flags untouched (AH reads 02h), others change some.
static bool LiveDivideLeavesFlagsClear() {
    uint32_t flags;
    __asm__ volatile(
        "xorl %%eax, %%eax\n\t"
        "sahf\n\t"
        "movw $5, %%ax\n\t"
        "movb $2, %%cl\n\t"
        "divb %%cl\n\t"
        "lahf\n\t"
        "shrl $8, %%eax\n\t"
        "andl $0xFF, %%eax"
        : "=a"(flags)
        :
        : "ecx", "cc");
    return flags == 0x02;
}

static uint64_t LiveReadTimeStampCounter() {
    uint64_t value;
    __asm__ volatile("rdtsc" : "=A"(value));
    return value;
}

const ProcessorAccess LiveProcessor = {LiveIdFlagToggles,       LiveCpuid,   LiveDivideLeavesFlagsClear,
                                       LiveReadTimeStampCounter, LiveCpuidOn, LiveCpuCount,
                                       LiveMachineProcessors};
ProcessorAccess Processor = LiveProcessor;
