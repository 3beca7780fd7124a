// Names of the CPUID feature bits by register and vendor, bit 0 first.
#pragma once
#include "common/local_text.h"

extern const LocalText StandardEdxNames[32];
extern const LocalText StandardEcxNames[32];
extern const LocalText AmdStandardEdxNames[32];
extern const LocalText AmdStandardEcxNames[32];
extern const LocalText IntelExtendedEdxNames[32];
extern const LocalText IntelExtendedEcxNames[32];
extern const LocalText AmdExtendedEdxNames[32];
extern const LocalText AmdExtendedEcxNames[32];
extern const LocalText CyrixExtendedEdxNames[32];

// Leaf 7: sub-leaf 0 EBX, ECX and EDX, sub-leaf 1 EAX. The vendors'
// own short names, the same in both languages.
extern const char* const Leaf7EbxNames[32];
extern const char* const Leaf7EcxNames[32];
extern const char* const Leaf7EdxNames[32];
extern const char* const Leaf7Subleaf1EaxNames[32];
