// The caches as the processor lists them itself: leaf 4, or leaf
// 8000001Dh on AMD and Hygon, one line per cache and, on a hybrid
// processor, per core type.
#pragma once
#include "envreport/report_buffer.h"

// "[Cache Parameters]" and its lines; nothing when no cache is listed.
// Needs CollectCoreTypes first.
void WriteCacheParameters(ReportBuffer& report);
