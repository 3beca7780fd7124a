#include "about/product_title.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/paths.h"
#include "envreport/report_text.h"

char ProductTitleLine[ProductTitleLineSize];

// One string of the Japanese table, copied; "" when absent.
static bool QueryVersionText(void* block, const char* name, char* out, size_t size) {
    char key[80];
    wsprintfA(key, "\\StringFileInfo\\041104b0\\%s", name);
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
    char* block = (char*)calloc(size + 2, 1);
    if (!block) return false;
    bool found = GetFileVersionInfoA(path, 0, size, block) &&
                 QueryVersionText(block, "FileVersion", texts->fileVersion, sizeof texts->fileVersion);
    if (found) {
        QueryVersionText(block, "SpecialBuild", texts->specialBuild, sizeof texts->specialBuild);
        QueryVersionText(block, "LegalCopyright", texts->legalCopyright, sizeof texts->legalCopyright);
        QueryVersionText(block, "PrivateBuild", texts->privateBuild, sizeof texts->privateBuild);
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
