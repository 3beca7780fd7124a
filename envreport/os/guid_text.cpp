#include "envreport/os/guid_text.h"

void FormatGuidText(const GUID& guid, char (&text)[GuidTextSize]) {
    wsprintfA(text, "%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", guid.Data1, guid.Data2, guid.Data3,
              guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
              guid.Data4[6], guid.Data4[7]);
}

static int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Exactly `digits` hex digits at *at.
static bool ReadHexDigits(const char** at, unsigned digits, unsigned long* value) {
    unsigned long number = 0;
    for (unsigned i = 0; i < digits; ++i, ++*at) {
        int digit = HexDigitValue(**at);
        if (digit < 0) return false;
        number = number << 4 | (unsigned long)digit;
    }
    *value = number;
    return true;
}

bool ParseGuidText(const char* text, GUID* guid) {
    // Data1, Data2, Data3 and the eight bytes of Data4; a dash follows the
    // parts marked.
    static const struct {
        unsigned digits;
        bool dash;
    } Parts[11] = {{8, true},  {4, true},  {4, true},  {2, false}, {2, true},  {2, false},
                   {2, false}, {2, false}, {2, false}, {2, false}, {2, false}};
    bool braced = *text == '{';
    if (braced) ++text;
    unsigned long values[11];
    for (unsigned i = 0; i < 11; ++i) {
        if (!ReadHexDigits(&text, Parts[i].digits, &values[i])) return false;
        if (Parts[i].dash && *text++ != '-') return false;
    }
    if (braced && *text++ != '}') return false;
    if (*text != '\0') return false;
    guid->Data1 = values[0];
    guid->Data2 = (WORD)values[1];
    guid->Data3 = (WORD)values[2];
    for (unsigned i = 0; i < 8; ++i) guid->Data4[i] = (BYTE)values[3 + i];
    return true;
}
