// The caches as the processor lists them itself: leaf 4, or leaf
// 8000001Dh on AMD and Hygon, one line per cache and, on a hybrid
// processor, per core type.
#pragma once
#include <cstdint>

#include "envreport/report_buffer.h"

// The leaf that lists the caches, or 0 when the processor has none.
uint32_t CacheParameterLeaf();

// "[Cache Parameters]" and its lines; nothing when no cache is listed.
// Needs CollectCoreTypes first.
void WriteCacheParameters(ReportBuffer& report);
