// The About box's in-memory template, read back field by field, and the
// texts the box builds from the version resource and its record.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "about/about_box_info.h"
#include "about/about_dialog.h"
#include "about/about_template.h"
#include "about/product_title.h"

// Reads the template as the dialog manager does.
struct TemplateReader {
    const BYTE* base;
    size_t at;
    WORD Word() {
        WORD value;
        memcpy(&value, base + at, 2);
        at += 2;
        return value;
    }
    DWORD Dword() {
        DWORD value;
        memcpy(&value, base + at, 4);
        at += 4;
        return value;
    }
    std::wstring Text() {
        std::wstring text;
        for (WORD c = Word(); c != 0; c = Word()) text += (wchar_t)c;
        return text;
    }
};

struct ExpectedItem {
    WORD id;
    WORD windowClass;
    DWORD style;
    DWORD extendedStyle;
    short x, y, cx, cy;
    const wchar_t* japanese;
    const wchar_t* english;
};

const DWORD Child = WS_CHILD | WS_VISIBLE;
static const ExpectedItem ExpectedItems[10] = {
    {2006, 0x80, Child | WS_TABSTOP, 0, 119, 129, 110, 14, L"開発支援金の受付について(&K)", L"Contribution(&K)"},
    {2004, 0x81, Child | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY, WS_EX_CLIENTEDGE, 7, 148, 225, 80,
     L"(NULL)", L"(NULL)"},
    {2, 0x80, Child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 7, 233, 50, 14, L"閉じる(&C)", L"&Close"},
    {2005, 0x80, Child | WS_TABSTOP, 0, 60, 233, 172, 14, L"環境情報の表示(問合せの際にご活用下さい)(&E)",
     L"&Environment Information"},
    {2007, 0x82, Child | SS_ICON, 0, 7, 7, 32, 32, L"#107", L"#107"},
    {2002, 0x81, Child | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 0, 35, 7, 197, 37, L"(NULL)", L"(NULL)"},
    {2003, 0x81, Child | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 0, 7, 46, 204, 82, L"(NULL)", L"(NULL)"},
    {2000, 0x80, Child | WS_TABSTOP, 0, 215, 53, 17, 14, L":", L":"},
    {2001, 0x80, Child | WS_TABSTOP, 0, 215, 77, 17, 14, L"*", L"*"},
    {2009, 0x80, Child | WS_TABSTOP, 0, 7, 129, 110, 14, L"フィードバック受付(&F)", L"&Feedback"},
};

static void CheckTemplate(bool japanese) {
    AboutBoxInfo info = {};
    info.japanese = japanese;
    info.iconId = 107;
    BYTE memory[AboutTemplateSize] = {};
    size_t used = WriteAboutTemplate(info, memory);
    ASSERT_GT(used, 0u);
    ASSERT_LE(used, AboutTemplateSize);

    TemplateReader reader = {memory, 0};
    EXPECT_EQ(0x80C808C0u, reader.Dword());
    EXPECT_EQ(0u, reader.Dword());
    EXPECT_EQ(10, reader.Word());
    EXPECT_EQ(0, reader.Word());
    EXPECT_EQ(0, reader.Word());
    EXPECT_EQ(239, reader.Word());
    EXPECT_EQ(254, reader.Word());
    EXPECT_EQ(0, reader.Word()) << "menu";
    EXPECT_EQ(0, reader.Word()) << "class";
    EXPECT_EQ(japanese ? L"バージョン情報" : L"About", reader.Text());
    EXPECT_EQ(japanese ? 9 : 8, reader.Word());
    EXPECT_EQ(japanese ? L"ＭＳ Ｐゴシック" : L"MS Sans Serif", reader.Text());
    for (const ExpectedItem& item : ExpectedItems) {
        size_t unaligned = reader.at;
        reader.at = (reader.at + 3) & ~(size_t)3;
        for (size_t gap = unaligned; gap < reader.at; ++gap) EXPECT_EQ(0, memory[gap]) << "padding is zero";
        EXPECT_EQ(item.style, reader.Dword()) << item.id;
        EXPECT_EQ(item.extendedStyle, reader.Dword()) << item.id;
        EXPECT_EQ(item.x, (short)reader.Word()) << item.id;
        EXPECT_EQ(item.y, (short)reader.Word()) << item.id;
        EXPECT_EQ(item.cx, (short)reader.Word()) << item.id;
        EXPECT_EQ(item.cy, (short)reader.Word()) << item.id;
        EXPECT_EQ(item.id, reader.Word());
        EXPECT_EQ(0xFFFF, reader.Word()) << item.id;
        EXPECT_EQ(item.windowClass, reader.Word()) << item.id;
        EXPECT_EQ(japanese ? item.japanese : item.english, reader.Text()) << item.id;
        EXPECT_EQ(0, reader.Word()) << "creation data of " << item.id;
    }
    EXPECT_EQ(used, reader.at);
    for (size_t rest = used; rest < AboutTemplateSize; ++rest) ASSERT_EQ(0, memory[rest]) << rest;
}

TEST(AboutTemplate, JapaneseBytesFieldByField) {
    CheckTemplate(true);
}

TEST(AboutTemplate, EnglishBytesFieldByField) {
    CheckTemplate(false);
}

TEST(AboutTemplate, TheIconTitleNamesTheRecordsIcon) {
    AboutBoxInfo info = {};
    info.iconId = 31234;
    BYTE memory[AboutTemplateSize] = {};
    ASSERT_GT(WriteAboutTemplate(info, memory), 0u);
    const wchar_t* title = L"#31234";
    bool found = false;
    for (size_t at = 0; at + 14 < AboutTemplateSize && !found; at += 2)
        found = memcmp(memory + at, title, 14) == 0;
    EXPECT_TRUE(found);
}

static ProductVersionTexts Texts(const char* fileVersion, const char* special, const char* privateBuild) {
    ProductVersionTexts texts = {};
    strcpy(texts.fileVersion, fileVersion);
    strcpy(texts.specialBuild, special);
    strcpy(texts.privateBuild, privateBuild);
    return texts;
}

TEST(ProductTitle, RunsTheMiddleNumbersTogetherAndNamesBetaInJapaneseOnly) {
    struct {
        const char* fileVersion;
        const char* special;
        bool japanese;
        const char* line;
    } cases[] = {
        {"2.1.5.3", " ", true, "SWAYPIX ver.2.15.03  [2012/07/08] (x86) "},
        {"2.1.5.3", " ", false, "SWAYPIX ver.2.15.03  [2012/07/08] (x86) "},
        {"2.1.5.3", "beta", true, "SWAYPIX ver.2.15.03β [2012/07/08] (x86) "},
        {"2.1.5.3", "beta", false, "SWAYPIX ver.2.15.03beta [2012/07/08] (x86) "},
        {"2.1.5.3", "alpha", true, "SWAYPIX ver.2.15.03α [2012/07/08] (x86) "},
        {"2.1.5.3", "Beta", true, "SWAYPIX ver.2.15.03Beta [2012/07/08] (x86) "},
        {"3.12.0.123", "", true, "SWAYPIX ver.3.120.123 [2012/07/08] (x86) "},
        {"2.1", "", true, "SWAYPIX ver.2.10.00 [2012/07/08] (x86) "},
        {"", "", true, "SWAYPIX ver.0.00.00 [2012/07/08] (x86) "},
    };
    for (auto& c : cases) {
        char line[ProductTitleLineSize];
        FormatProductTitleLine(line, "SWAYPIX", Texts(c.fileVersion, c.special, "2012/07/08"), c.japanese);
        EXPECT_STREQ(c.line, line) << c.fileVersion << " " << c.special;
    }
}

TEST(ProductTitle, ALongLineIsCutInsideItsBufferAtACharacterEdge) {
    std::string name(250, 'N');
    char line[ProductTitleLineSize + 8];
    memset(line, '#', sizeof line);
    FormatProductTitleLine(*(char(*)[ProductTitleLineSize])line, name.c_str(), Texts("2.1.5.3", "表表表表表", "x"),
                           true);
    EXPECT_EQ('#', line[ProductTitleLineSize]) << "nothing beyond the buffer";
    size_t length = strlen(line);
    EXPECT_LE(length, ProductTitleLineSize - 1);
    // 250 + " ver.2.15.03" is 262 bytes; the next character is two bytes.
    EXPECT_EQ(262u, length);
}

TEST(ProductTitle, TheOwnVersionResourceGivesTheProgramsLine) {
    ProductVersionTexts texts;
    ProductTitleLine[0] = '\0';
    ASSERT_TRUE(UpdateProductTitleLine("SWAYPIX", true, &texts));
    EXPECT_STREQ("SWAYPIX ver.2.15.03  [2012/07/08] (x86) ", ProductTitleLine);
    EXPECT_STREQ("Copyright (C) 2012 SWAYPIX developers", texts.legalCopyright);
}

TEST(AboutContact, ListsWhatIsSetAndTheMailNoteOnlyInJapanese) {
    AboutBoxInfo info = {};
    info.japanese = 1;
    info.webSite = "https://swaypix.example/";
    info.mailAddress = "a@swaypix.example";
    char text[2048];
    FormatContactText(text, sizeof text, info);
    std::string contact = text;
    EXPECT_EQ(0u, contact.find("[WebSite]\r\n  https://swaypix.example/\r\n\r\n[E-Mail]\r\n  a@swaypix.example\r\n\r\n"
                               "　メールフィルタ"));
    info.japanese = 0;
    FormatContactText(text, sizeof text, info);
    EXPECT_STREQ("[WebSite]\r\n  https://swaypix.example/\r\n\r\n[E-Mail]\r\n  a@swaypix.example\r\n\r\n", text);
    info.japanese = 1;
    info.mailAddress = NULL;
    FormatContactText(text, sizeof text, info);
    EXPECT_STREQ("[WebSite]\r\n  https://swaypix.example/\r\n\r\n\r\n  \r\n\r\n", text);
    info.webSite = NULL;
    FormatContactText(text, sizeof text, info);
    EXPECT_STREQ("\r\n  \r\n\r\n\r\n  \r\n\r\n", text);
}
