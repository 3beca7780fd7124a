// Names of processors that have no brand string, from their signature,
// vendor, features and brand index.
#pragma once
#include <cstdint>

// Sets CpuidInfo.brandIndex as a side effect (0, or the leaf 1 index for
// the families that carry one).
const char* ProcessorNameFromSignature(bool japanese);

// The name of CpuidInfo.brandIndex for the signature; "" when it has none.
const char* BrandIndexName(uint32_t signature);
