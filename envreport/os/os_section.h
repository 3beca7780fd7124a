// The operating-system block of the report: Windows name, edition and
// version, service pack, suite, locale, browser, framework and common
// controls versions. The memory, screen and session lines follow it.
#pragma once
#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteOperatingSystemSection(ReportBuffer& report, ReportContext& context);
