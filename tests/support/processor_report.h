// Running the processor section on its own, with CPUID answered by a
// recorded dump or by registers a test makes up.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/processor_access.h"
#include "envreport/report_context.h"
#include "tests/support/scoped_swap.h"

// The processor section as the report writes it, for the machine of the
// context (a one-processor x86 one when none is given; the raw block then
// needs the same context); the clock is not measured.
std::string ProcessorSectionText(bool japanese, ReportContext* context = NULL);

// Registers by leaf for the synthetic processor, sub-leaf 0 in `leaves`
// and the others in `subleaves`; what is in neither answers zeros. The ID
// flag and divide test answers, and what Windows tells of the machine,
// are set alongside.
struct SyntheticProcessor {
    std::map<uint32_t, CpuidRegisters> leaves;
    std::map<std::pair<uint32_t, uint32_t>, CpuidRegisters> subleaves;  // by leaf and sub-leaf
    bool hasCpuid = true;
    bool cyrixDivide = false;
    unsigned processors = 1, cores = 0, packages = 0;  // 0: unknown
};
// For one scope: `Processor` answers from `synthetic` (kept by pointer),
// or without one stays as it is for a replay to swap; CpuidInfo starts
// cleared, as a fresh process has it. Both come back when the scope ends.
struct ProcessorSwap {
    ScopedSwap<ProcessorAccess> access;
    ScopedSwap<CpuidInfoRecord> info;
    ProcessorSwap();
    explicit ProcessorSwap(const SyntheticProcessor* synthetic);
};

// A saved report's code page 932 text as UTF-8, as an editor saves it.
std::string Utf8FromCodePage932(const std::string& text);

// The file names of the recorded one-processor dumps in tests/data/cpuid.
std::vector<std::string> DumpNames();
// Every recorded dump under tests/data: those files as "cpuid\\NAME", then
// the published multi-CPU ones as "cpuid-published\\NAME".
std::vector<std::string> RecordedDumps();

// Checks the 32 lines after a flag table's heading: layout, and each bit
// of both columns against the registers.
void CheckFlagTable(const std::string& report, const std::string& header, uint32_t left, uint32_t right,
                    const std::string& name);
