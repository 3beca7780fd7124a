// What CPUID told about the processor, kept for the whole process and read
// by the clock, cache and feature-flag parts of the processor section.
#pragma once
#include <cstdint>

#include "envreport/cpu/processor_access.h"

enum VendorCode : uint8_t {
    VendorUnknown = 0,
    VendorIntel = 1,
    VendorCyrix = 2,         // with a brand string
    VendorIbm = 3,
    VendorAmd = 4,
    VendorCyrixNoBrand = 5,  // names come from the Cyrix signature rows
    VendorCentaur = 6,
    VendorUmc = 7,
    VendorNexGen = 8,
    VendorTransmeta = 9,
    VendorNsc = 10,
    VendorRise = 11,
    VendorSis = 12,
    VendorVia = 13,
};

struct CpuidInfoRecord {
    uint32_t signature;  // leaf 1 EAX; 0: no CPUID information
    uint32_t maxStandardLeaf;
    uint32_t maxExtendedLeaf;
    char vendorId[13];
    uint8_t vendorCode;
    const char* vendorName;
    char brandString[49];
    uint8_t brandIndex;
    uint32_t featureEdx;
    uint32_t featureEcx;
    uint32_t leaf1Ebx;
    uint32_t extFeatureEdx;
    uint32_t extFeatureEcx;
    // Bit n set when leaf 2 lists descriptor byte n; read with the leaves
    // 0 and 1, once per report.
    uint32_t cacheDescriptors[8];
};

extern CpuidInfoRecord CpuidInfo;

// Fills the leaf 0, 1 and 2 fields (and the extended ones when the
// processor has them); 0 without usable CPUID, else the low 16 bits of the
// signature.
uint16_t ProbeCpuid();
CpuidRegisters RunCpuidLeaf(uint32_t leaf);
void ReadBrandString();
// True when leaf 2 lists the descriptor.
bool HasCacheDescriptor(uint8_t code);
// Sets vendorCode and vendorName from vendorId (and maxExtendedLeaf, which
// tells the two kinds of Cyrix apart).
void ClassifyVendor();

bool IsCyrixByDivideTest();
bool HasCpuidInstruction();

// Signature fields.
inline unsigned SignatureStepping(uint32_t s) { return s & 0xF; }
inline unsigned SignatureModel(uint32_t s) { return (s >> 4) & 0xF; }
inline unsigned SignatureFamily(uint32_t s) { return (s >> 8) & 0xF; }
inline unsigned SignatureType(uint32_t s) { return (s >> 12) & 0x3; }
inline unsigned SignatureExtendedModel(uint32_t s) { return (s >> 16) & 0xF; }
inline unsigned SignatureExtendedFamily(uint32_t s) { return (s >> 20) & 0xFF; }
