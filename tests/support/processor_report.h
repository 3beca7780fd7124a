// Running the processor section on its own, with CPUID answered by a
// recorded dump or by registers a test makes up.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "envreport/cpu/processor_access.h"

// The processor section as the report writes it, for a one-processor x86
// machine unless `system` is given; the clock is not measured.
std::string ProcessorSectionText(bool japanese);

// Registers by leaf for the synthetic processor; leaves not in the map
// answer zeros. The ID flag and divide test answers are set alongside.
struct SyntheticProcessor {
    std::map<uint32_t, CpuidRegisters> leaves;
    bool hasCpuid = true;
    bool cyrixDivide = false;
};
// Makes `Processor` answer from `processor` (kept by pointer) and clears
// CpuidInfo, as a fresh process would have it.
void UseSyntheticProcessor(const SyntheticProcessor* processor);
// Back to the live processor.
void UseLiveProcessor();


// The file names of the recorded one-processor dumps in tests/data/cpuid.
std::vector<std::string> DumpNames();

// Checks the 32 lines after a flag table's heading: layout, and each bit
// of both columns against the registers.
void CheckFlagTable(const std::string& report, const std::string& header, uint32_t left, uint32_t right,
                    const std::string& name);
