#include "common/ui_language.h"

#include "common/ansi_text.h"

// -1 until the first question, then 0 or 1.
static int JapaneseUi = -1;

bool AnsiCodePageIsJapanese() {
    return GetACP() == ProgramTextCodePage;
}

bool UserSeesJapanese() {
    if (JapaneseUi < 0)
        JapaneseUi = AnsiCodePageIsJapanese() || PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    return JapaneseUi != 0;
}

const char* PickUiText(const LocalText& text) {
    return UserSeesJapanese() ? text.japanese : text.english;
}
