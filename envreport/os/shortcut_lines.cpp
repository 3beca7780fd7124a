#include "envreport/os/shortcut_lines.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "common/ansi_files.h"
#include "common/nudge_arguments.h"
#include "common/paths.h"
#include "common/shell_calls.h"
#include "common/shell_folders.h"
#include "envreport/report_failure.h"
#include "envreport/report_language.h"
#include "envreport/report_memory.h"

struct ShortcutPlace {
    int csidl;
    const char* japanese;
    const char* english;
};

// The set-up dialog's two targets, in this order.
static const ShortcutPlace ShortcutPlaces[] = {
    {CSIDL_DESKTOPDIRECTORY, "デスクトップ", "Desktop"},
    {CSIDL_STARTUP, "スタートアップ", "Startup"},
};

// The names found in one folder, one after another with their terminators.
struct ShortcutNames {
    char* text;
    size_t length;
    size_t capacity;
    unsigned count;
};

// False, with the report failed, when memory runs out.
static bool AddName(ShortcutNames* names, const char* name) {
    size_t size = strlen(name) + 1;
    if (names->length + size > names->capacity) {
        size_t capacity = names->capacity * 2 + size + 256;
        char* grown = (char*)ReportMemory.reallocate(names->text, capacity);
        if (!grown) {
            FailReport(ReportOutOfMemory);
            return false;
        }
        names->text = grown;
        names->capacity = capacity;
    }
    memcpy(names->text + names->length, name, size);
    names->length += size;
    ++names->count;
    return true;
}

// FindFirstFile also matches a longer extension through its 8.3 name.
static bool IsShortcutName(const char* name) {
    size_t length = strlen(name);
    return length >= 11 && _strnicmp(name, "SWAYPIX", 7) == 0 && _stricmp(name + length - 4, ".LNK") == 0;
}

static bool CollectShortcutNames(const char* folder, ShortcutNames* names) {
    char pattern[PathBufferSize];
    if (!JoinFolderAndName(pattern, folder, "SWAYPIX*", ".LNK")) return true;
    FindDataAnsi found;
    HANDLE search = FindFileAnsi(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    bool collected = true;
    do {
        if ((found.fileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsShortcutName(found.fileName)) continue;
        collected = AddName(names, found.fileName);
    } while (collected && FindNextFileAnsi(search, &found));
    FindClose(search);
    return collected;
}

// Byte order with ASCII letters folded, so SWAYPIX(2).LNK comes before
// SWAYPIX.LNK whatever their case.
static int CompareNamesIgnoringCase(const void* left, const void* right) {
    return _stricmp(*(const char* const*)left, *(const char* const*)right);
}

struct LinkContents {
    char arguments[PathBufferSize];
    char target[PathBufferSize];
};

// False where COM cannot be had or the file does not read as a link.
static bool ReadLink(const char* path, LinkContents* contents) {
    ShellLinkObject object;
    if (!CreateShellLinkObject(&object)) return false;
    WCHAR widePath[PathBufferSize];
    bool read = WidenPath(path, widePath) && SUCCEEDED(object.file->Load(widePath, STGM_READ)) &&
                SUCCEEDED(object.link->GetArguments(contents->arguments, sizeof contents->arguments));
    if (read && object.link->GetPath(contents->target, sizeof contents->target, NULL, 0) != S_OK)
        contents->target[0] = '\0';
    ReleaseShellLinkObject(&object);
    return read;
}

// The settings the arguments start the program with, when they make it
// resident at all.
static void AppendStartedSettings(ReportBuffer& report, const char* arguments) {
    NudgeArguments settings = {0, 1};
    ReadNudgeArgumentText(arguments, &settings);
    if (settings.interval == 0) return;
    report.AppendFormat(settings.distance == 0 ? Pick(" (Shiftキー %u秒毎)", " (Shift key every %u s)")
                                               : Pick(" (マウス %u秒毎)", " (pointer every %u s)"),
                        (unsigned)settings.interval / 1000);
}

static void AppendShortcutLine(ReportBuffer& report, const ShortcutPlace& place, const char* folder,
                               const char* name) {
    report.Append(Pick("\r\nショートカット:", "\r\nShortcut      :"));
    report.Append(Pick(place.japanese, place.english));
    report.Append("\\");
    report.Append(name);
    char path[PathBufferSize];
    LinkContents contents = {};
    if (!JoinFolderAndName(path, folder, name, "") || !ReadLink(path, &contents)) return;
    if (contents.arguments[0]) {
        report.Append(" ");
        report.Append(contents.arguments);
    }
    AppendStartedSettings(report, contents.arguments);
    if (!FileExists(contents.target)) report.Append(Pick(" [リンク先なし]", " [target missing]"));
}

// False when memory for the order ran out.
static bool AppendInNameOrder(ReportBuffer& report, const ShortcutPlace& place, const char* folder,
                              const ShortcutNames& names) {
    const char** order = (const char**)ReportMemory.reallocate(NULL, names.count * sizeof *order);
    if (!order) {
        FailReport(ReportOutOfMemory);
        return false;
    }
    const char* name = names.text;
    for (unsigned i = 0; i < names.count; ++i, name += strlen(name) + 1) order[i] = name;
    qsort(order, names.count, sizeof *order, CompareNamesIgnoringCase);
    for (unsigned i = 0; i < names.count; ++i) AppendShortcutLine(report, place, folder, order[i]);
    free(order);
    return true;
}

// The folder's shortcuts, counted into `listed`; false when memory ran out.
static bool AppendFolderShortcuts(ReportBuffer& report, const ShortcutPlace& place, unsigned* listed) {
    char folder[PathBufferSize];
    if (!GetShellFolderPath(place.csidl, folder)) return true;
    ShortcutNames names = {};
    bool written = CollectShortcutNames(folder, &names) &&
                   (names.count == 0 || AppendInNameOrder(report, place, folder, names));
    *listed += names.count;
    free(names.text);
    return written;
}

void AppendShortcutLines(ReportBuffer& report) {
    unsigned listed = 0;
    for (const ShortcutPlace& place : ShortcutPlaces)
        if (!AppendFolderShortcuts(report, place, &listed)) return;
    if (listed == 0) report.Append(Pick("\r\nショートカット:なし", "\r\nShortcut      :none"));
}
