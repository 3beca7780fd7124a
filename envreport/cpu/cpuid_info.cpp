#include "envreport/cpu/cpuid_info.h"

#include <windows.h>

#include <cstring>

CpuidInfoRecord CpuidInfo;

CpuidRegisters RunCpuidLeaf(uint32_t leaf) {
    CpuidRegisters r;
    Processor.cpuid(leaf, &r);
    return r;
}

bool HasCpuidInstruction() {
    return Processor.idFlagToggles();
}

bool IsCyrixByDivideTest() {
    return Processor.divideLeavesFlagsClear();
}

// The register order of the vendor text is EBX, EDX, ECX.
static void StoreVendorId(const CpuidRegisters& leaf0) {
    memcpy(CpuidInfo.vendorId, &leaf0.ebx, 4);
    memcpy(CpuidInfo.vendorId + 4, &leaf0.edx, 4);
    memcpy(CpuidInfo.vendorId + 8, &leaf0.ecx, 4);
    CpuidInfo.vendorId[12] = '\0';
}

// A processor without extended leaves may answer 0x80000000 with
// unrelated data, so only a value in the extended range counts.
static bool IsExtendedLeafMaximum(uint32_t value) {
    return (value >> 16) == 0x8000 && value > 0x80000000;
}

static void MarkDescriptorBytes(uint32_t value, int firstByte) {
    for (int i = firstByte; i < 4; ++i) {
        uint8_t code = (uint8_t)(value >> (8 * i));
        CpuidInfo.cacheDescriptors[code >> 5] |= 1u << (code & 31);
    }
}

// Leaf 2 is read as often as its round count says, each round's bytes
// being descriptors.
static void CollectCacheDescriptors() {
    memset(CpuidInfo.cacheDescriptors, 0, sizeof CpuidInfo.cacheDescriptors);
    if (CpuidInfo.maxStandardLeaf < 2) return;
    CpuidRegisters r = RunCpuidLeaf(2);
    unsigned rounds = r.eax & 0xFF;
    for (unsigned i = 0; i < rounds; ++i) {
        // The low byte of EAX is the round count, not a descriptor.
        MarkDescriptorBytes(r.eax, 1);
        MarkDescriptorBytes(r.ebx, 0);
        MarkDescriptorBytes(r.ecx, 0);
        MarkDescriptorBytes(r.edx, 0);
        if (i + 1 < rounds) r = RunCpuidLeaf(2);
    }
}

uint16_t ProbeCpuid() {
    CpuidRegisters leaf0 = {};
    CpuidRegisters leaf1 = {};
    if (HasCpuidInstruction()) {
        Processor.cpuid(0, &leaf0);
        Processor.cpuid(1, &leaf1);
    }
    CpuidInfo.featureEdx = leaf1.edx;
    CpuidInfo.featureEcx = leaf1.ecx;
    CpuidInfo.signature = leaf1.eax;
    CpuidInfo.maxStandardLeaf = leaf0.eax;
    CpuidInfo.leaf1Ebx = leaf1.ebx;
    if (CpuidInfo.signature == 0) return 0;
    StoreVendorId(leaf0);
    CollectCacheDescriptors();
    uint32_t maxExtended = RunCpuidLeaf(0x80000000).eax;
    if (IsExtendedLeafMaximum(maxExtended)) {
        CpuidInfo.maxExtendedLeaf = maxExtended;
        CpuidRegisters leaf = RunCpuidLeaf(0x80000001);
        CpuidInfo.extFeatureEdx = leaf.edx;
        CpuidInfo.extFeatureEcx = leaf.ecx;
    }
    return (uint16_t)CpuidInfo.signature;
}

void ReadBrandString() {
    for (uint32_t i = 0; i < 3; ++i) {
        CpuidRegisters r = RunCpuidLeaf(0x80000002 + i);
        uint32_t words[4] = {r.eax, r.ebx, r.ecx, r.edx};
        memcpy(CpuidInfo.brandString + 16 * i, words, 16);
    }
    CpuidInfo.brandString[48] = '\0';
}

bool HasCacheDescriptor(uint8_t code) {
    return (CpuidInfo.cacheDescriptors[code >> 5] >> (code & 31)) & 1;
}

struct VendorRow {
    const char* id;
    uint8_t code;
    const char* name;
};

static const VendorRow VendorRows[] = {
    {"         IBM", VendorIbm, "IBM"},          {"AuthenticAMD", VendorAmd, "AMD"},
    {"AMDisbetter!", VendorAmd, "AMD"},          {"CentaurHauls", VendorCentaur, "Centaur Technology"},
    {"UMC UMC UMC ", VendorUmc, "UMC"},          {"NexGenDriven", VendorNexGen, "NexGen"},
    {"GenuineIntel", VendorIntel, "Intel"},      {"GenuineTMx86", VendorTransmeta, "Transmeta"},
    {"TransmetaCPU", VendorTransmeta, "Transmeta"}, {"Geode by NSC", VendorNsc, "NSC"},
    {"RiseRiseRise", VendorRise, "Rise"},        {"SiS SiS SiS ", VendorSis, "SiS"},
    {"VIA VIA VIA ", VendorVia, "VIA"},
};

void ClassifyVendor() {
    CpuidInfo.vendorCode = VendorUnknown;
    CpuidInfo.vendorName = "Unknown";
    if (strcmp(CpuidInfo.vendorId, "CyrixInstead") == 0) {
        CpuidInfo.vendorCode = CpuidInfo.maxExtendedLeaf >= 0x80000004 ? VendorCyrix : VendorCyrixNoBrand;
        CpuidInfo.vendorName = "Cyrix";
        return;
    }
    for (const VendorRow& row : VendorRows) {
        if (strcmp(CpuidInfo.vendorId, row.id) == 0) {
            CpuidInfo.vendorCode = row.code;
            CpuidInfo.vendorName = row.name;
            return;
        }
    }
}
