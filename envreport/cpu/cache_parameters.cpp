#include "envreport/cpu/cache_parameters.h"

#include <windows.h>

#include <cstring>

#include "envreport/cpu/core_types.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"

// More sub-leaves than any processor has caches: a bound for bad dumps.
static const uint32_t MaxCacheSubleaves = 32;

// The leaf that lists the caches, or 0 when the processor has none.
static uint32_t CacheParameterLeaf() {
    bool amdStyle = strcmp(CpuidInfo.vendorId, "AuthenticAMD") == 0 || strcmp(CpuidInfo.vendorId, "HygonGenuine") == 0;
    if (!amdStyle) return CpuidInfo.maxStandardLeaf >= 4 ? 4 : 0;
    bool topologyExtensions = (CpuidInfo.extFeatureEcx >> 22) & 1;
    return topologyExtensions && CpuidInfo.maxExtendedLeaf >= 0x8000001D ? 0x8000001D : 0;
}

static const char* const EnglishCacheKinds[3] = {"L%u Data", "L%u Instruction", "L%u Unified"};
static const char* const JapaneseCacheKinds[3] = {"L%uデータ", "L%u命令", "L%u統合"};

// "L1 Data       :48 KB, 12-way, 64-byte line", with " [Core]" and the
// like on a hybrid processor.
static void AppendCacheLine(ReportBuffer& report, const CpuidRegisters& r, const char* typeSuffix) {
    unsigned kind = (r.eax & 0x1F) - 1;
    char label[32];
    char padded[32];
    wsprintfA(label, Pick(JapaneseCacheKinds[kind], EnglishCacheKinds[kind]), (r.eax >> 5) & 7);
    PadRight(14, label, padded, sizeof padded);
    unsigned ways = (r.ebx >> 22) + 1;
    unsigned partitions = ((r.ebx >> 12) & 0x3FF) + 1;
    unsigned lineSize = (r.ebx & 0xFFF) + 1;
    uint64_t bytes = (uint64_t)ways * partitions * lineSize * ((uint64_t)r.ecx + 1);
    report.AppendFormat("\r\n%s:%u KB, ", padded, (uint32_t)(bytes / 1024));
    if ((r.eax >> 9) & 1) report.Append(Pick("フルアソシアティブ", "fully associative"));
    else report.AppendFormat(Pick("%uウェイ", "%u-way"), ways);
    report.AppendFormat(Pick(", %uバイトライン%s", ", %u-byte line%s"), lineSize, typeSuffix);
}

// The caches of one logical processor; the heading before the first.
static void WriteCachesOf(ReportBuffer& report, uint32_t leaf, const CoreType& type, bool hybrid, bool* headed) {
    char name[12];
    char suffix[20] = "";
    if (hybrid) wsprintfA(suffix, " [%s]", CoreTypeName(type.code, name));
    for (uint32_t subleaf = 0; subleaf < MaxCacheSubleaves; ++subleaf) {
        CpuidRegisters r;
        Processor.cpuidOn(type.firstCpu, leaf, subleaf, &r);
        unsigned kind = r.eax & 0x1F;
        if (kind == 0) return;
        if (kind > 3) continue;
        if (!*headed) report.Append(Pick("\r\n\r\n[キャッシュパラメータ]", "\r\n\r\n[Cache Parameters]"));
        *headed = true;
        AppendCacheLine(report, r, suffix);
    }
}

void WriteCacheParameters(ReportBuffer& report, const CoreTypeList& coreTypes) {
    uint32_t leaf = CacheParameterLeaf();
    if (leaf == 0) return;
    bool headed = false;
    for (unsigned i = 0; i < coreTypes.count; ++i)
        WriteCachesOf(report, leaf, coreTypes.types[i], coreTypes.hybrid, &headed);
}
