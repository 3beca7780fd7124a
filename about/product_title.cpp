#include "about/product_title.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/ansi_text.h"
#include "common/optional_functions.h"
#include "common/paths.h"
#include "envreport/report_text.h"

char ProductTitleLine[ProductTitleLineSize];

// One string of the Japanese table, in the program's own code page; ""
// when absent.
static bool QueryVersionText(void* block, const wchar_t* name, char* out, size_t size) {
    VerQueryValueWFunction query = OptionalVerQueryValueW();
    wchar_t key[80];
    wsprintfW(key, L"\\StringFileInfo\\041104b0\\%s", name);
    wchar_t* value = NULL;
    UINT length = 0;
    out[0] = '\0';
    if (!query || !query(block, key, (void**)&value, &length) || !value) return false;
    char text[512];
    NarrowText(ProgramTextCodePage, value, text, sizeof text);
    CopyWholeCharacters(ProgramTextCodePage, out, size, text);
    return true;
}

// The running program's own version resource; false when there is none,
// it cannot be read, or it has no FileVersion. Through the wide calls, so
// that the program's own path is read right in any folder, and looked up,
// since version.dll is no known DLL.
static bool ReadOwnVersionTexts(ProductVersionTexts* texts) {
    GetFileVersionInfoSizeWFunction getSize = OptionalGetFileVersionInfoSizeW();
    GetFileVersionInfoWFunction getInfo = OptionalGetFileVersionInfoW();
    wchar_t path[PathBufferSize];
    if (!getSize || !getInfo || !GetOwnExePath(path)) return false;
    DWORD handle = 0;
    DWORD size = getSize(path, &handle);
    if (size == 0) return false;
    char* block = (char*)calloc(size + 2, 1);
    if (!block) return false;
    bool found = getInfo(path, 0, size, block) &&
                 QueryVersionText(block, L"FileVersion", texts->fileVersion, sizeof texts->fileVersion);
    if (found) {
        QueryVersionText(block, L"SpecialBuild", texts->specialBuild, sizeof texts->specialBuild);
        QueryVersionText(block, L"LegalCopyright", texts->legalCopyright, sizeof texts->legalCopyright);
        QueryVersionText(block, L"PrivateBuild", texts->privateBuild, sizeof texts->privateBuild);
    }
    free(block);
    return found;
}

// The dotted numbers of a version text, read as far as they go; the rest
// stay 0. (The runtime's scanner would bring its floating-point reader.)
static void ParseDottedVersion(const char* text, unsigned (&parts)[4]) {
    for (unsigned& part : parts) {
        char* end;
        unsigned long value = strtoul(text, &end, 10);
        if (end == text) return;
        part = (unsigned)value;
        if (*end != '.') return;
        text = end + 1;
    }
}

void FormatProductTitleLine(char (&line)[ProductTitleLineSize], const char* productName,
                            const ProductVersionTexts& texts, bool japanese) {
    unsigned parts[4] = {};
    ParseDottedVersion(texts.fileVersion, parts);
    const unsigned a = parts[0], b = parts[1], c = parts[2], d = parts[3];
    const char* special = texts.specialBuild;
    if (japanese && strcmp(special, "beta") == 0) special = "β";
    if (japanese && strcmp(special, "alpha") == 0) special = "α";
    FormatWholeCharacters(line, sizeof line, "%s ver.%u.%u%u.%02u%s [%s] (x86) ", productName, a, b, c, d, special,
                          texts.privateBuild);
}

bool UpdateProductTitleLine(const char* productName, bool japanese, ProductVersionTexts* texts) {
    memset(texts, 0, sizeof *texts);
    if (!ReadOwnVersionTexts(texts)) return false;
    FormatProductTitleLine(ProductTitleLine, productName, *texts, japanese);
    return true;
}
