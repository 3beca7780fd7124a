#include "common/path_message.h"

#include <cwchar>

#include "common/paths.h"
#include "common/wide_text.h"

int ShowPathMessage(HWND owner, const char* format, const wchar_t* path, const char* caption, UINT flags) {
    wchar_t wideFormat[1024];
    wchar_t wideCaption[64];
    WidenText(OwnTextCodePage, format, wideFormat, sizeof wideFormat / sizeof *wideFormat);
    WidenText(OwnTextCodePage, caption, wideCaption, sizeof wideCaption / sizeof *wideCaption);
    wchar_t message[1024 + PathBufferSize];
    const wchar_t* slot = wcsstr(wideFormat, L"%s");
    if (!slot) {
        wcscpy(message, wideFormat);
    } else {
        size_t before = (size_t)(slot - wideFormat);
        wmemcpy(message, wideFormat, before);
        message[before] = L'\0';
        wcsncat(message, path, PathBufferSize - 1);
        wcscat(message, slot + 2);
    }
    return MessageBoxW(owner, message, wideCaption, flags);
}
