#include "common/wide_text.h"

bool WidenText(UINT codePage, const char* text, wchar_t* out, size_t outChars) {
    if (MultiByteToWideChar(codePage, 0, text, -1, out, (int)outChars) != 0) return true;
    if (outChars > 0) out[0] = L'\0';
    return false;
}

bool NarrowText(UINT codePage, const wchar_t* text, char* out, size_t outSize) {
    if (WideCharToMultiByte(codePage, 0, text, -1, out, (int)outSize, NULL, NULL) != 0) return true;
    if (outSize > 0) out[0] = '\0';
    return false;
}
