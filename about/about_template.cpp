#include "about/about_template.h"

#include <cstring>
#include <cwchar>

#include "about/about_controls.h"
#include "about/about_dialog.h"

// Predefined window classes of a template item.
enum { ButtonClass = 0x0080, EditClass = 0x0081, StaticClass = 0x0082 };

struct AboutControl {
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
    DWORD extendedStyle;
    short x, y, width, height;
    WORD id;
    WORD windowClass;
    const wchar_t* japaneseTitle;
    const wchar_t* englishTitle;  // null: the icon, whose title is "#id"
};

// Template order is also the tab order.
static const AboutControl AboutControls[] = {
    {WS_TABSTOP | BS_PUSHBUTTON, 0, 119, 129, 110, 14, IDC_ABOUT_DONATION, ButtonClass,
     L"開発支援金の受付について(&K)", L"Contribution(&K)"},
    {WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY, WS_EX_CLIENTEDGE, 7, 148, 225, 80, IDC_ABOUT_NOTICE,
     EditClass, L"(NULL)", L"(NULL)"},
    {WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 7, 233, 50, 14, IDCANCEL, ButtonClass, L"閉じる(&C)", L"&Close"},
    {WS_TABSTOP | BS_PUSHBUTTON, 0, 60, 233, 172, 14, IDC_ABOUT_REPORT, ButtonClass,
     L"環境情報の表示(問合せの際にご活用下さい)(&E)", L"&Environment Information"},
    {SS_ICON, 0, 7, 7, 32, 32, IDC_ABOUT_ICON, StaticClass, NULL, NULL},
    {WS_TABSTOP | ES_MULTILINE | ES_READONLY, 0, 35, 7, 197, 37, IDC_ABOUT_TITLE, EditClass, L"(NULL)", L"(NULL)"},
    {WS_TABSTOP | ES_MULTILINE | ES_READONLY, 0, 7, 46, 204, 82, IDC_ABOUT_CONTACT, EditClass, L"(NULL)", L"(NULL)"},
    {WS_TABSTOP | BS_PUSHBUTTON, 0, 215, 53, 17, 14, IDC_ABOUT_WEBSITE, ButtonClass, L":", L":"},
    {WS_TABSTOP | BS_PUSHBUTTON, 0, 215, 77, 17, 14, IDC_ABOUT_MAIL, ButtonClass, L"*", L"*"},
    {WS_TABSTOP | BS_PUSHBUTTON, 0, 7, 129, 110, 14, IDC_ABOUT_FEEDBACK, ButtonClass, L"フィードバック受付(&F)",
     L"&Feedback"},
};

const DWORD AboutBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;

// Appends to the template, refusing to pass its end.
struct TemplateWriter {
    BYTE* memory;
    size_t used;
    bool overflow;
};

static void PutBytes(TemplateWriter* writer, const void* bytes, size_t size) {
    if (writer->overflow || size > AboutTemplateSize - writer->used) {
        writer->overflow = true;
        return;
    }
    memcpy(writer->memory + writer->used, bytes, size);
    writer->used += size;
}

static void PutWord(TemplateWriter* writer, WORD value) {
    PutBytes(writer, &value, sizeof value);
}

static void PutDword(TemplateWriter* writer, DWORD value) {
    PutBytes(writer, &value, sizeof value);
}

static void PutText(TemplateWriter* writer, const wchar_t* text) {
    PutBytes(writer, text, (wcslen(text) + 1) * sizeof(wchar_t));
}

// Items start on 4-byte boundaries; the memory is zeroed, so the gap is.
static void AlignToDword(TemplateWriter* writer) {
    size_t gap = (4 - writer->used % 4) % 4;
    if (gap > AboutTemplateSize - writer->used) writer->overflow = true;
    else writer->used += gap;
}

static void PutHeader(TemplateWriter* writer, bool japanese) {
    PutDword(writer, AboutBoxStyle);
    PutDword(writer, 0);
    PutWord(writer, (WORD)(sizeof AboutControls / sizeof AboutControls[0]));
    PutWord(writer, 0);  // x and y: DS_CENTER places the box
    PutWord(writer, 0);
    PutWord(writer, 239);
    PutWord(writer, 254);
    PutWord(writer, 0);  // no menu
    PutWord(writer, 0);  // the standard dialog class
    PutText(writer, japanese ? L"バージョン情報" : L"About");
    PutWord(writer, japanese ? 9 : 8);
    PutText(writer, japanese ? L"ＭＳ Ｐゴシック" : L"MS Sans Serif");
}

static void PutControl(TemplateWriter* writer, const AboutControl& control, const wchar_t* title) {
    AlignToDword(writer);
    PutDword(writer, WS_CHILD | WS_VISIBLE | control.style);
    PutDword(writer, control.extendedStyle);
    PutWord(writer, (WORD)control.x);
    PutWord(writer, (WORD)control.y);
    PutWord(writer, (WORD)control.width);
    PutWord(writer, (WORD)control.height);
    PutWord(writer, control.id);
    PutWord(writer, 0xFFFF);
    PutWord(writer, control.windowClass);
    PutText(writer, title);
    PutWord(writer, 0);  // no creation data
}

size_t WriteAboutTemplate(const AboutBoxInfo& info, BYTE* memory) {
    TemplateWriter writer = {memory, 0, false};
    PutHeader(&writer, info.japanese != 0);
    wchar_t iconTitle[16];
    wsprintfW(iconTitle, L"#%d", (int)info.iconId);
    for (const AboutControl& control : AboutControls) {
        const wchar_t* title = info.japanese ? control.japaneseTitle : control.englishTitle;
        PutControl(&writer, control, control.englishTitle ? title : iconTitle);
    }
    return writer.overflow ? 0 : writer.used;
}

INT_PTR RunAboutBox(const AboutBoxInfo* info) {
    BYTE* memory = (BYTE*)GlobalAlloc(GPTR, AboutTemplateSize);
    if (!memory) return 0;
    INT_PTR result = 0;
    if (WriteAboutTemplate(*info, memory) != 0)
        result = DialogBoxIndirectParamW(info->instance, (LPCDLGTEMPLATEW)memory, info->owner, AboutDialogProc,
                                         (LPARAM)info);
    GlobalFree(memory);
    return result;
}
