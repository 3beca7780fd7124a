#include "common/ui_text.h"

#include "common/ansi_text.h"
#include "common/dll_search.h"

// Room for the longest text shown: the About box's contact box (2,048
// bytes) and its notice.
static const int UiTextCapacity = 2048;
static const int CaptionCapacity = 264;
// wsprintfW writes at most 1,024 characters and the terminator.
static const int FormattedCapacity = 1025;

BOOL SetUiItemText(HWND dialog, int controlId, const char* text) {
    wchar_t wide[UiTextCapacity];
    WidenText(ProgramTextCodePage, text, wide, UiTextCapacity);
    return SetDlgItemTextW(dialog, controlId, wide);
}

static int ShowWideMessage(HWND owner, const wchar_t* text, const char* caption, UINT style) {
    wchar_t wideCaption[CaptionCapacity];
    WidenText(ProgramTextCodePage, caption, wideCaption, CaptionCapacity);
    LoadThemeLibrariesFromSystemFolder();
    return MessageBoxW(owner, text, wideCaption, style);
}

int ShowUiMessage(HWND owner, const char* text, const char* caption, UINT style) {
    wchar_t wide[UiTextCapacity];
    WidenText(ProgramTextCodePage, text, wide, UiTextCapacity);
    return ShowWideMessage(owner, wide, caption, style);
}

int ShowUiMessageWithPath(HWND owner, const char* format, const wchar_t* path, const char* caption, UINT style) {
    wchar_t wideFormat[UiTextCapacity];
    WidenText(ProgramTextCodePage, format, wideFormat, UiTextCapacity);
    wchar_t message[FormattedCapacity];
    wsprintfW(message, wideFormat, path);
    return ShowWideMessage(owner, message, caption, style);
}
