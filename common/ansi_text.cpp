#include "common/ansi_text.h"

#include <cstdlib>
#include <cstring>

bool IsLeadByte(UINT codePage, char byte) {
    return IsDBCSLeadByteEx(codePage, (BYTE)byte) != FALSE;
}

size_t WholeCharacterPrefix(UINT codePage, const char* text, size_t limit) {
    size_t at = 0;
    while (text[at] != '\0') {
        size_t step = IsLeadByte(codePage, text[at]) ? 2 : 1;
        // A lead byte with nothing behind it is half a character: dropped.
        if (step == 2 && text[at + 1] == '\0') break;
        if (at + step > limit) break;
        at += step;
    }
    return at;
}

void CopyWholeCharacters(UINT codePage, char* destination, size_t size, const char* source) {
    size_t n = WholeCharacterPrefix(codePage, source, size - 1);
    memcpy(destination, source, n);
    destination[n] = '\0';
}

const char* FileNameOf(UINT codePage, const char* path) {
    const char* name = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (IsLeadByte(codePage, *at) && at[1] != '\0') ++at;  // skip the second byte
        else if (*at == '\\') name = at + 1;
    }
    return name;
}

bool WidenText(UINT codePage, const char* text, wchar_t* out, size_t outChars) {
    if (MultiByteToWideChar(codePage, 0, text, -1, out, (int)outChars) != 0) return true;
    if (outChars > 0) out[0] = L'\0';
    return false;
}

static bool NarrowWithFlags(UINT codePage, DWORD flags, const wchar_t* text, char* out, size_t outSize) {
    if (WideCharToMultiByte(codePage, flags, text, -1, out, (int)outSize, NULL, NULL) != 0) return true;
    if (outSize > 0) out[0] = '\0';
    return false;
}

bool NarrowText(UINT codePage, const wchar_t* text, char* out, size_t outSize) {
    return NarrowWithFlags(codePage, 0, text, out, outSize);
}

// UTF-8 has no best fit and refuses the flag.
bool NarrowTextAsTyped(const wchar_t* text, char* out, size_t outSize) {
    return NarrowWithFlags(CP_ACP, GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS, text, out, outSize);
}

char* Utf8Text(UINT codePage, const char* text) {
    int wideLength = MultiByteToWideChar(codePage, 0, text, -1, NULL, 0);
    wchar_t* wide = wideLength > 0 ? (wchar_t*)malloc(wideLength * sizeof *wide) : NULL;
    if (!wide) return NULL;
    MultiByteToWideChar(codePage, 0, text, -1, wide, wideLength);
    int utf8Length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, NULL, 0, NULL, NULL);
    char* utf8 = utf8Length > 0 ? (char*)malloc(utf8Length) : NULL;
    if (utf8) WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, utf8Length, NULL, NULL);
    free(wide);
    return utf8;
}
