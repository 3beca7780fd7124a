#include "envreport/report_buffer.h"

#include "envreport/report_failure.h"
#include "envreport/report_memory.h"

#include <windows.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The mirror is on only for the exact one-character value "1"; the
// variable is read afresh for every piece so it can be switched mid-run.
static bool DebugMirrorWanted() {
    char value[2] = "0";
    return GetEnvironmentVariableA("VORLEX_DEBUGOUT", value, sizeof value) == 1 && lstrcmpA(value, "1") == 0;
}

// Appends the piece to vorlex_debugout.txt in the current directory and
// returns it unchanged.
static const char* MirrorToDebugFile(const char* piece) {
    FILE* file = NULL;
    if (fopen_s(&file, "vorlex_debugout.txt", "ab") == 0 && file) {
        fputs(piece, file);
        fclose(file);
    }
    return piece;
}

// Makes room for `needed` characters plus the terminator. False, with the
// old block untouched, when the allocator fails.
static bool ReserveExactly(ReportBuffer* buffer, size_t needed) {
    if (needed <= buffer->capacity) return true;
    char* grown = (char*)ReportMemory.reallocate(buffer->text, needed + 1);
    if (!grown) return false;
    buffer->text = grown;
    buffer->capacity = (unsigned)needed;
    return true;
}

bool ReportBuffer::Init() {
    char* block = (char*)ReportMemory.reallocate(text, ReportFirstCapacity + 1);
    if (!block) return false;
    memset(block, 0, ReportFirstCapacity + 1);
    text = block;
    capacity = ReportFirstCapacity;
    return true;
}

// A failed report takes no more text: it ends where the failure struck.
// A piece that cannot be added fails it too, so the report never has a
// silent hole.
char* ReportBuffer::Append(const char* piece) {
    if (!text || !piece || ReportFailed) return text;
    if (DebugMirrorWanted()) MirrorToDebugFile(piece);
    size_t n = strlen(piece);
    if (n > UINT_MAX - 1 - length || !ReserveExactly(this, length + n)) {
        FailReport(ReportOutOfMemory);
        return NULL;
    }
    memcpy(text + length, piece, n);
    length += (unsigned)n;
    text[length] = '\0';
    return text;
}

char* ReportBuffer::Assign(const char* piece) {
    if (!text || !piece) return text;
    if (DebugMirrorWanted()) MirrorToDebugFile(piece);
    size_t n = strlen(piece);
    if (n > UINT_MAX - 1) return NULL;
    if (!ReserveExactly(this, n)) return NULL;
    memcpy(text, piece, n);
    length = (unsigned)n;
    text[length] = '\0';
    return text;
}

void ReportBuffer::AppendFormat(const char* format, ...) {
    char line[1025];  // wsprintfA writes at most 1024 characters
    va_list arguments;
    va_start(arguments, format);
    wvsprintfA(line, format, arguments);
    va_end(arguments);
    Append(line);
}

void ReportBuffer::Free() {
    if (text) {
        free(text);
        text = NULL;
    }
    length = 0;
}
