#include "envreport/report_text.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

size_t WholeCharacterPrefix(const char* text, size_t limit) {
    size_t at = 0;
    while (text[at] != '\0') {
        size_t step = IsDBCSLeadByte((BYTE)text[at]) ? 2 : 1;
        // A lead byte with nothing behind it is half a character: dropped.
        if (step == 2 && text[at + 1] == '\0') break;
        if (at + step > limit) break;
        at += step;
    }
    return at;
}

void CopyWholeCharacters(char* destination, size_t size, const char* source) {
    size_t n = WholeCharacterPrefix(source, size - 1);
    memcpy(destination, source, n);
    destination[n] = '\0';
}

char* PadRight(unsigned width, const char* source, char* destination, size_t destinationSize) {
    if (!source || !destination || destinationSize == 0) return NULL;
    CopyWholeCharacters(destination, destinationSize, source);
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
        out[WholeCharacterPrefix(out, size - 1)] = '\0';
    }
}
