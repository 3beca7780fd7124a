// Names of the CPUID feature bits by register and vendor, bit 0 first.
#pragma once

struct FeatureFlagName {
    const char* english;
    const char* japanese;
};

extern const FeatureFlagName StandardEdxNames[32];
extern const FeatureFlagName StandardEcxNames[32];
extern const FeatureFlagName AmdStandardEdxNames[32];
extern const FeatureFlagName AmdStandardEcxNames[32];
extern const FeatureFlagName IntelExtendedEdxNames[32];
extern const FeatureFlagName IntelExtendedEcxNames[32];
extern const FeatureFlagName AmdExtendedEdxNames[32];
extern const FeatureFlagName AmdExtendedEcxNames[32];
extern const FeatureFlagName CyrixExtendedEdxNames[32];

// Leaf 7: sub-leaf 0 EBX, ECX and EDX, sub-leaf 1 EAX. The vendors'
// own short names, the same in both languages.
extern const char* const Leaf7EbxNames[32];
extern const char* const Leaf7EcxNames[32];
extern const char* const Leaf7EdxNames[32];
extern const char* const Leaf7Subleaf1EaxNames[32];
