// The disk drives section: one line per drive letter in use with its
// kind, free and total space, file system, serial number and label.
#pragma once
#include <windows.h>

#include <cstdint>

#include "envreport/report_buffer.h"
#include "envreport/report_context.h"

void WriteDriveSection(ReportBuffer& report, ReportContext& context);

const int SpaceTextSize = 24;

// "    66/   251GB": free and total in the largest unit in which the total
// exceeds 99, or in bytes (unit "B ") below 102 400 bytes.
void FormatSpaceText(uint64_t freeBytes, uint64_t totalBytes, char (&out)[SpaceTextSize]);

// "  NTFS             1234-ABCD label\r\n": the columns after the space.
void AppendVolumeColumns(ReportBuffer& report, const char* fileSystem, DWORD serial, const char* label);
