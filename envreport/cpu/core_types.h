// The machine's logical processors: how many, and on a hybrid processor
// which core type each is (leaf 1Ah), kept for the cache and raw blocks.
#pragma once
#include <cstdint>

#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

// Reads leaf 1Ah on every logical processor of a hybrid processor; one
// type (code 0, every processor) otherwise. Needs CpuidInfo probed.
void CollectCoreTypes(CoreTypeList* types);

// "Core", "Atom" or "Type 12h", into `name` (at least 12 bytes).
const char* CoreTypeName(uint8_t code, char* name);

// "Logical CPUs" and, on a hybrid processor, "Core Types".
void WriteLogicalProcessorLines(ReportBuffer& report, const CoreTypeList& coreTypes);
