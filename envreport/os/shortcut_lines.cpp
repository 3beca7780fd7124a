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

// The set-up dialog's two targets, in this order, then the Startup folder
// of all users: a program started for every user starts for this one too.
static const ShortcutPlace ShortcutPlaces[] = {
    {CSIDL_DESKTOPDIRECTORY, "デスクトップ", "Desktop"},
    {CSIDL_STARTUP, "スタートアップ", "Startup"},
    {CSIDL_COMMON_STARTUP, "スタートアップ(全員)", "Startup (all users)"},
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

// False, with the report failed, when memory runs out.
static bool CollectShortcutNames(const char* pattern, ShortcutNames* names) {
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

static unsigned char FoldAsciiLetter(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + ('a' - 'A')) : c;
}

// Byte order with ASCII letters folded, so SWAYPIX(2).LNK comes before
// SWAYPIX.LNK whatever their case. The second byte of a double-byte
// character is never folded, and bytes compare unsigned (_stricmp folds
// such bytes and, under Wine, compares signed).
static int CompareNamesIgnoringCase(const void* left, const void* right) {
    const unsigned char* a = *(const unsigned char* const*)left;
    const unsigned char* b = *(const unsigned char* const*)right;
    bool trailByte = false;
    for (;; ++a, ++b) {
        unsigned char x = trailByte ? *a : FoldAsciiLetter(*a);
        unsigned char y = trailByte ? *b : FoldAsciiLetter(*b);
        if (x != y) return x < y ? -1 : 1;
        if (x == '\0') return 0;
        // Equal so far, so a lead byte here is one in both names.
        trailByte = !trailByte && IsDBCSLeadByte(x);
    }
}

struct LinkContents {
    char arguments[PathBufferSize];
    char target[PathBufferSize];
};

enum LinkReading { LinkRead, LinkUnreadable, LinkWithoutCom };

// A corrupt or empty file, or a cloud file not on the disk, does not load.
static LinkReading ReadLink(const char* path, LinkContents* contents) {
    ShellLinkObject object;
    if (!CreateShellLinkObject(&object)) return LinkWithoutCom;
    WCHAR widePath[PathBufferSize];
    bool read = WidenPath(path, widePath) && SUCCEEDED(object.file->Load(widePath, STGM_READ)) &&
                SUCCEEDED(object.link->GetArguments(contents->arguments, sizeof contents->arguments));
    if (read && object.link->GetPath(contents->target, sizeof contents->target, NULL, 0) != S_OK)
        contents->target[0] = '\0';
    ReleaseShellLinkObject(&object);
    return read ? LinkRead : LinkUnreadable;
}

// Milliseconds as seconds with up to three decimals, no trailing zeros.
static void FormatSeconds(unsigned milliseconds, char (&text)[16]) {
    int length = wsprintfA(text, "%u.%03u", milliseconds / 1000, milliseconds % 1000);
    while (text[length - 1] == '0') text[--length] = '\0';
    if (text[length - 1] == '.') text[length - 1] = '\0';
}

// What the arguments start the program with: the nudge and its interval,
// or, without an interval above 0, the set-up dialog. "/X" alone only
// ends a resident instance.
static void AppendStartedSettings(ReportBuffer& report, const char* arguments) {
    if (IsSilentToggleText(arguments)) return;
    NudgeArguments settings = {0, 1};
    ReadNudgeArgumentText(arguments, &settings);
    if (settings.interval <= 0) {
        report.Append(Pick(" (設定ダイアログ)", " (set-up dialog)"));
        return;
    }
    char seconds[16];
    FormatSeconds((unsigned)settings.interval, seconds);
    report.AppendFormat(settings.distance == 0 ? Pick(" (Shiftキー %s秒毎)", " (Shift key every %s s)")
                                               : Pick(" (マウス %s秒毎)", " (pointer every %s s)"),
                        seconds);
}

static void AppendLabelAndFolderWord(ReportBuffer& report, const ShortcutPlace& place) {
    report.Append(Pick("\r\nショートカット:", "\r\nShortcut      :"));
    report.Append(Pick(place.japanese, place.english));
}

static void AppendShortcutLine(ReportBuffer& report, const ShortcutPlace& place, const char* folder,
                               const char* name) {
    AppendLabelAndFolderWord(report, place);
    report.Append("\\");
    report.Append(name);
    char path[PathBufferSize];
    LinkContents contents = {};
    LinkReading reading = JoinFolderAndName(path, folder, name, "") ? ReadLink(path, &contents) : LinkUnreadable;
    if (reading == LinkUnreadable) report.Append(Pick(" [読み取れません]", " [unreadable]"));
    if (reading != LinkRead) return;
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

struct ShortcutTally {
    unsigned foldersRead;
    unsigned listed;
};

// The folder's shortcuts, or its unreadable line when it has no path or
// one too long to search; false when memory ran out.
static bool AppendFolderShortcuts(ReportBuffer& report, const ShortcutPlace& place, ShortcutTally* tally) {
    char folder[PathBufferSize];
    char pattern[PathBufferSize];
    if (!GetShellFolderPath(place.csidl, folder) || !JoinFolderAndName(pattern, folder, "SWAYPIX*", ".LNK")) {
        AppendLabelAndFolderWord(report, place);
        report.Append(Pick(" [フォルダを読み取れません]", " [folder unreadable]"));
        return true;
    }
    ++tally->foldersRead;
    ShortcutNames names = {};
    bool written = CollectShortcutNames(pattern, &names) &&
                   (names.count == 0 || AppendInNameOrder(report, place, folder, names));
    tally->listed += names.count;
    free(names.text);
    return written;
}

// "none" only when the folders that could be read hold no such link.
void AppendShortcutLines(ReportBuffer& report) {
    ShortcutTally tally = {};
    for (const ShortcutPlace& place : ShortcutPlaces)
        if (!AppendFolderShortcuts(report, place, &tally)) return;
    if (tally.foldersRead > 0 && tally.listed == 0)
        report.Append(Pick("\r\nショートカット:なし", "\r\nShortcut      :none"));
}
