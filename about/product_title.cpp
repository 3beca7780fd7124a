#include "about/product_title.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "envreport/report_text.h"
#include "setup/paths.h"

char ProductTitleLine[ProductTitleLineSize];

// One string of the Japanese table, copied; "" when absent.
static bool QueryVersionText(void* block, const char* name, char* out, size_t size) {
    char key[80];
    snprintf(key, sizeof key, "\\StringFileInfo\\041104b0\\%s", name);
    char* value = NULL;
    UINT length = 0;
    out[0] = '\0';
    if (!VerQueryValueA(block, key, (void**)&value, &length) || !value) return false;
    CopyWholeCharacters(out, size, value);
    return true;
}

bool ReadOwnVersionTexts(ProductVersionTexts* texts) {
    char path[PathBufferSize];
    if (!GetOwnExePath(path)) path[0] = '\0';
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return false;
    char* block = new (std::nothrow) char[size + 2]();
    if (!block) return false;
    bool found = GetFileVersionInfoA(path, 0, size, block) &&
                 QueryVersionText(block, "FileVersion", texts->fileVersion, sizeof texts->fileVersion);
    if (found) {
        QueryVersionText(block, "SpecialBuild", texts->specialBuild, sizeof texts->specialBuild);
        QueryVersionText(block, "LegalCopyright", texts->legalCopyright, sizeof texts->legalCopyright);
        QueryVersionText(block, "PrivateBuild", texts->privateBuild, sizeof texts->privateBuild);
    }
    delete[] block;
    return found;
}

void FormatProductTitleLine(char (&line)[ProductTitleLineSize], const char* productName,
                            const ProductVersionTexts& texts, bool japanese) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    sscanf(texts.fileVersion, "%u.%u.%u.%u", &a, &b, &c, &d);
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
