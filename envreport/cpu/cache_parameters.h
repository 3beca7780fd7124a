// The caches as the processor lists them itself: leaf 4, or leaf
// 8000001Dh on AMD and Hygon, one line per cache and, on a hybrid
// processor, per core type.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

// "[Cache Parameters]" and its lines; nothing when no cache is listed.
void WriteCacheParameters(ReportBuffer& report, const CoreTypeList& coreTypes);
