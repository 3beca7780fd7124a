// The CPUID leaf 2 descriptors the report can name, with their lines.
#pragma once
#include <cstdint>

struct CacheDescriptor {
    uint32_t code;
    const char* line;
};

const int CacheDescriptorCount = 95;
extern const CacheDescriptor CacheDescriptorTable[CacheDescriptorCount];
