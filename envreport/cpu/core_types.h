// The machine's logical processors: how many, and on a hybrid processor
// which core type each is (leaf 1Ah), kept for the cache and raw blocks.
#pragma once
#include <cstdint>

#include "envreport/report_buffer.h"

struct CoreType {
    uint8_t code;       // leaf 1Ah EAX bits 24-31; 0 on a processor of one kind
    unsigned firstCpu;  // the first logical processor of the type
    unsigned count;
};

// In the order the types first appear from logical processor 0 up.
struct CoreTypeList {
    bool hybrid;  // leaf 7 EDX bit 15
    unsigned count;
    CoreType types[8];
};

extern CoreTypeList CoreTypes;

// Reads leaf 1Ah on every logical processor of a hybrid processor; one
// type (code 0, every processor) otherwise. Needs CpuidInfo probed.
void CollectCoreTypes();

// "Core", "Atom" or "Type 12h", into `name` (at least 12 bytes).
const char* CoreTypeName(uint8_t code, char* name);

// "Logical CPUs" and, on a hybrid processor, "Core Types".
void WriteLogicalProcessorLines(ReportBuffer& report);
