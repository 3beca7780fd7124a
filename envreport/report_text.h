// Text helpers the report sections share: padding and number formatting.
// What they cut is cut at a character edge of the system code page, as
// the report's text is what the machine gave (common/ansi_text.h).
#pragma once
#include <cstddef>
#include <cstdint>

// Copies `source` and pads it with spaces to `width` bytes. A longer
// source is copied whole. Null when either text is null. Never writes
// beyond `destinationSize`: what does not fit is cut at a character edge.
char* PadRight(unsigned width, const char* source, char* destination, size_t destinationSize);

// "%u" in one process-wide buffer; the next call overwrites it.
const char* FormatUnsigned(uint32_t value);

// Digits grouped by "," in one of two process-wide buffers used in turn,
// so two results can go into one formatting call.
const char* FormatThousands(uint64_t value);

// The system C runtime's formats (64-bit numbers as %I64u) into `out`; a
// cut result ends at a character edge. With size 0 nothing is written.
void FormatWholeCharacters(char* out, size_t size, const char* format, ...)
    __attribute__((format(ms_printf, 3, 4)));
