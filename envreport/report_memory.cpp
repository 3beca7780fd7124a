#include "envreport/report_memory.h"

#include <cstdlib>

const ReportMemoryAccess LiveReportMemory = {realloc};
ReportMemoryAccess ReportMemory = LiveReportMemory;
