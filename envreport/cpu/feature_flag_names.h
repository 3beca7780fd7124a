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
