#include "envreport/report_text.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/ansi_text.h"

char* PadRight(unsigned width, const char* source, char* destination, size_t destinationSize) {
    if (!source || !destination || destinationSize == 0) return NULL;
    CopyWholeCharacters(CP_ACP, destination, destinationSize, source);
    size_t length = strlen(destination);
    while (length < width && length + 1 < destinationSize) destination[length++] = ' ';
    destination[length] = '\0';
    return destination;
}

const char* FormatUnsigned(uint32_t value) {
    static char text[16];
    wsprintfA(text, "%u", value);
    return text;
}

// Writes digits from the right, a comma before every fourth one.
const char* FormatThousands(uint64_t value) {
    static char texts[2][29];
    static int turn = 0;
    turn ^= 1;
    char* end = texts[turn] + sizeof texts[turn] - 1;
    char* at = end;
    *at = '\0';
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) *--at = ',';
        *--at = (char)('0' + value % 10);
        value /= 10;
        ++digits;
    } while (value != 0);
    memmove(texts[turn], at, (size_t)(end - at) + 1);
    return texts[turn];
}

void FormatWholeCharacters(char* out, size_t size, const char* format, ...) {
    if (size == 0) return;
    va_list arguments;
    va_start(arguments, format);
    // The system C runtime's formatter: -1, possibly unterminated, when
    // the text does not fit.
    int written = _vsnprintf(out, size, format, arguments);
    va_end(arguments);
    if (written < 0 || (size_t)written >= size) {
        out[size - 1] = '\0';
        out[WholeCharacterPrefix(CP_ACP, out, size - 1)] = '\0';
    }
}
