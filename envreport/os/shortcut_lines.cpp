#include "envreport/os/shortcut_lines.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "common/nudge_arguments.h"
#include "common/paths.h"
#include "common/shell_calls.h"
#include "common/shell_folders.h"
#include "common/wide_text.h"
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

// The names found in one folder, one after another with their terminators,
// in UTF-16 as the folder holds them.
struct ShortcutNames {
    wchar_t* text;
    size_t length;
    size_t capacity;
    unsigned count;
};

// False, with the report failed, when memory runs out.
static bool AddName(ShortcutNames* names, const wchar_t* name) {
    size_t size = wcslen(name) + 1;
    if (names->length + size > names->capacity) {
        size_t capacity = names->capacity * 2 + size + 256;
        wchar_t* grown = (wchar_t*)ReportMemory.reallocate(names->text, capacity * sizeof *grown);
        if (!grown) {
            FailReport(ReportOutOfMemory);
            return false;
        }
        names->text = grown;
        names->capacity = capacity;
    }
    wmemcpy(names->text + names->length, name, size);
    names->length += size;
    ++names->count;
    return true;
}

// FindFirstFile also matches a longer extension through its 8.3 name.
static bool IsShortcutName(const wchar_t* name) {
    size_t length = wcslen(name);
    return length >= 11 && _wcsnicmp(name, L"SWAYPIX", 7) == 0 && _wcsicmp(name + length - 4, L".LNK") == 0;
}

static bool CollectShortcutNames(const wchar_t* folder, ShortcutNames* names) {
    wchar_t pattern[PathBufferSize];
    if (!JoinFolderAndName(pattern, folder, L"SWAYPIX*", L".LNK")) return true;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    bool collected = true;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsShortcutName(found.cFileName)) continue;
        collected = AddName(names, found.cFileName);
    } while (collected && FindNextFileW(search, &found));
    FindClose(search);
    return collected;
}

// A link's name as the report shows it, in the system code page; the
// UTF-16 name stays the one used as a path.
struct ShortcutEntry {
    const wchar_t* name;
    char shown[PathBufferSize];
};

// Byte order with ASCII letters folded, so SWAYPIX(2).LNK comes before
// SWAYPIX.LNK whatever their case.
static int CompareNamesIgnoringCase(const void* left, const void* right) {
    return _stricmp(((const ShortcutEntry*)left)->shown, ((const ShortcutEntry*)right)->shown);
}

struct LinkContents {
    wchar_t arguments[PathBufferSize];
    wchar_t target[PathBufferSize];
};

// The link's target path; where the file it names is not there, the path
// of the link's item list, which the shell starts the link by. A shell
// that keeps the path only in the ANSI code page (Wine's does) stores a
// folder name outside it best-fitted, while the item list has it whole.
static void ReadLinkTarget(IShellLinkW* link, wchar_t (&target)[PathBufferSize]) {
    if (link->GetPath(target, PathBufferSize, NULL, 0) != S_OK) target[0] = L'\0';
    if (GetFileAttributesW(target) != INVALID_FILE_ATTRIBUTES) return;
    LPITEMIDLIST items = NULL;
    wchar_t itemsPath[PathBufferSize] = L"";
    if (FAILED(link->GetIDList(&items)) || !items) return;
    if (GetPathFromIdList(items, itemsPath) && GetFileAttributesW(itemsPath) != INVALID_FILE_ATTRIBUTES)
        lstrcpyW(target, itemsPath);
    FreeComMemory(items);
}

// False where COM cannot be had or the file does not read as a link.
static bool ReadLink(const wchar_t* path, LinkContents* contents) {
    ShellLinkObject object;
    if (!CreateShellLinkObject(&object)) return false;
    bool read = SUCCEEDED(object.file->Load(path, STGM_READ)) &&
                SUCCEEDED(object.link->GetArguments(contents->arguments, PathBufferSize));
    if (read) ReadLinkTarget(object.link, contents->target);
    ReleaseShellLinkObject(&object);
    return read;
}

// The settings the arguments start the program with, when they make it
// resident at all.
static void AppendStartedSettings(ReportBuffer& report, const char* arguments) {
    NudgeArguments settings = {0, 1};
    ReadNudgeArgumentText(arguments, &settings);
    if (settings.interval <= 0) return;
    report.AppendFormat(settings.distance == 0 ? Pick(" (Shiftキー %u秒毎)", " (Shift key every %u s)")
                                               : Pick(" (マウス %u秒毎)", " (pointer every %u s)"),
                        (unsigned)settings.interval / 1000);
}

static void AppendShortcutLine(ReportBuffer& report, const ShortcutPlace& place, const wchar_t* folder,
                               const ShortcutEntry& entry) {
    report.Append(Pick("\r\nショートカット:", "\r\nShortcut      :"));
    report.Append(Pick(place.japanese, place.english));
    report.Append("\\");
    report.Append(entry.shown);
    wchar_t path[PathBufferSize];
    LinkContents contents = {};
    if (!JoinFolderAndName(path, folder, entry.name, L"") || !ReadLink(path, &contents)) return;
    char arguments[PathBufferSize];
    NarrowText(CP_ACP, contents.arguments, arguments, sizeof arguments);
    if (arguments[0]) {
        report.Append(" ");
        report.Append(arguments);
    }
    AppendStartedSettings(report, arguments);
    if (GetFileAttributesW(contents.target) == INVALID_FILE_ATTRIBUTES)
        report.Append(Pick(" [リンク先なし]", " [target missing]"));
}

// False when memory for the order ran out.
static bool AppendInNameOrder(ReportBuffer& report, const ShortcutPlace& place, const wchar_t* folder,
                              const ShortcutNames& names) {
    ShortcutEntry* entries = (ShortcutEntry*)ReportMemory.reallocate(NULL, names.count * sizeof *entries);
    if (!entries) {
        FailReport(ReportOutOfMemory);
        return false;
    }
    const wchar_t* name = names.text;
    for (unsigned i = 0; i < names.count; ++i, name += wcslen(name) + 1) {
        entries[i].name = name;
        NarrowText(CP_ACP, name, entries[i].shown, sizeof entries[i].shown);
    }
    qsort(entries, names.count, sizeof *entries, CompareNamesIgnoringCase);
    for (unsigned i = 0; i < names.count; ++i) AppendShortcutLine(report, place, folder, entries[i]);
    free(entries);
    return true;
}

// The folder's shortcuts, counted into `listed`; false when memory ran out.
static bool AppendFolderShortcuts(ReportBuffer& report, const ShortcutPlace& place, unsigned* listed) {
    wchar_t folder[PathBufferSize];
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
