// The memory side of the processor: leaf 2 descriptors with the L2 figures,
// the cache parameters, address sizes, and for AMD the TLB and L1 cache blocks.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteCacheSections(ReportBuffer& report, const CoreTypeList& coreTypes);
