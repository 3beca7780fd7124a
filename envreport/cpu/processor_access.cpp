#include "envreport/cpu/processor_access.h"

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

// The sub-leaf register is cleared so leaves that take one answer alike
// on every call.
static void LiveCpuid(uint32_t leaf, CpuidRegisters* out) {
    __asm__ volatile("cpuid" : "=a"(out->eax), "=b"(out->ebx), "=c"(out->ecx), "=d"(out->edx) : "a"(leaf), "c"(0));
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

const ProcessorAccess LiveProcessor = {LiveIdFlagToggles, LiveCpuid, LiveDivideLeavesFlagsClear,
                                       LiveReadTimeStampCounter};
ProcessorAccess Processor = LiveProcessor;
