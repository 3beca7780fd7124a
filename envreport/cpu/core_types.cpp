#include "envreport/cpu/core_types.h"

#include <windows.h>

#include "envreport/cpu/cpuid_info.h"
#include "envreport/report_language.h"

static bool IsHybridProcessor() {
    if (CpuidInfo.maxStandardLeaf < 7) return false;
    CpuidRegisters leaf7;
    Processor.cpuidOn(0, 7, 0, &leaf7);
    return (leaf7.edx >> 15) & 1;
}

// A ninth kind of core, which no processor has, is counted with the last.
static void CountCoreType(CoreTypeList* types, uint8_t code, unsigned cpu) {
    for (unsigned i = 0; i < types->count; ++i) {
        if (types->types[i].code == code) {
            ++types->types[i].count;
            return;
        }
    }
    const unsigned capacity = sizeof types->types / sizeof types->types[0];
    if (types->count == capacity) {
        ++types->types[capacity - 1].count;
        return;
    }
    types->types[types->count++] = {code, cpu, 1};
}

void CollectCoreTypes(CoreTypeList* types) {
    *types = CoreTypeList();
    unsigned cpus = Processor.cpuCount();
    types->hybrid = IsHybridProcessor();
    if (!types->hybrid) {
        types->count = 1;
        types->types[0] = {0, 0, cpus};
        return;
    }
    for (unsigned cpu = 0; cpu < cpus; ++cpu) {
        CpuidRegisters leaf1a;
        Processor.cpuidOn(cpu, 0x1A, 0, &leaf1a);
        CountCoreType(types, (uint8_t)(leaf1a.eax >> 24), cpu);
    }
}

const char* CoreTypeName(uint8_t code, char* name) {
    if (code == 0x40) return "Core";
    if (code == 0x20) return "Atom";
    wsprintfA(name, "Type %02Xh", code);
    return name;
}

static void WriteCoreTypesLine(ReportBuffer& report, const CoreTypeList& coreTypes) {
    report.Append(Pick("\r\nコア種別      :", "\r\nCore Types    :"));
    for (unsigned i = 0; i < coreTypes.count; ++i) {
        char name[12];
        report.AppendFormat("%s%u %s", i ? " + " : "", coreTypes.types[i].count,
                            CoreTypeName(coreTypes.types[i].code, name));
    }
}

void WriteLogicalProcessorLines(ReportBuffer& report, const CoreTypeList& coreTypes) {
    unsigned cores = 0;
    unsigned packages = 0;
    unsigned processors = Processor.machineProcessors(&cores, &packages);
    report.AppendFormat(Pick("\r\n論理プロセッサ:%u", "\r\nLogical CPUs  :%u"), processors);
    if (cores && packages)
        report.AppendFormat(Pick(" (%uコア, %uパッケージ)", " (%u cores, %u packages)"), cores, packages);
    if (coreTypes.hybrid) WriteCoreTypesLine(report, coreTypes);
}
