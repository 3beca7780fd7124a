// The heap of the report's text and of the registry strings it reads.
// Reached only through `ReportMemory`, so a test can make any allocation
// fail and see the report's out-of-memory path.
#pragma once
#include <cstddef>

struct ReportMemoryAccess {
    // realloc: a null block allocates; the result is released with free().
    void* (*reallocate)(void* block, size_t size);
};

extern ReportMemoryAccess ReportMemory;
extern const ReportMemoryAccess LiveReportMemory;
