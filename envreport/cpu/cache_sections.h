// The memory side of the processor: leaf 2 descriptors with the L2 figures,
// the cache parameters, address sizes, and for AMD the TLB and L1 cache blocks.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteCacheSections(ReportBuffer& report, const CoreTypeList& coreTypes);

// "\r\n" + left padded to 40 bytes + right: the right column starts at
// byte 40, under the block's second heading.
void AppendTwoColumnLine(ReportBuffer& report, const char* left, const char* right);
