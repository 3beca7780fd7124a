#include "envreport/os/shortcut_lines.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "common/ansi_text.h"
#include "common/nudge_arguments.h"
#include "common/paths.h"
#include "common/product_identity.h"
#include "common/shell_calls.h"
#include "common/shell_folders.h"
#include "envreport/report_failure.h"
#include "envreport/report_language.h"
#include "envreport/report_memory.h"

struct ShortcutPlace {
    int csidl;
    LocalText name;
};

// The set-up dialog's two targets, in this order, then the Startup folder
// of all users: a program started for every user starts for this one too.
static const ShortcutPlace ShortcutPlaces[] = {
    {CSIDL_DESKTOPDIRECTORY, {"デスクトップ", "Desktop"}},
    {CSIDL_STARTUP, {"スタートアップ", "Startup"}},
    {CSIDL_COMMON_STARTUP, {"スタートアップ(全員)", "Startup (all users)"}},
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
    const size_t stem = sizeof ShortcutStem / sizeof *ShortcutStem - 1;
    const size_t extension = sizeof ShortcutExtension / sizeof *ShortcutExtension - 1;
    size_t length = wcslen(name);
    return length >= stem + extension && _wcsnicmp(name, ShortcutStem, stem) == 0 &&
           _wcsicmp(name + length - extension, ShortcutExtension) == 0;
}

enum FolderListing { FolderListed, FolderUnreadable, FolderOutOfMemory };

// A folder that is not there holds no shortcuts; one that is there but
// cannot be searched (a file, access denied, offline) is unreadable.
static FolderListing ListingOfFailedSearch(const wchar_t* folder) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return FolderListed;
    if (error == ERROR_PATH_NOT_FOUND && GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES) return FolderListed;
    return FolderUnreadable;
}

// The names found, also those before a search that broke off; the report
// is failed when memory runs out.
static FolderListing CollectShortcutNames(const wchar_t* folder, const wchar_t* pattern, ShortcutNames* names) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return ListingOfFailedSearch(folder);
    FolderListing listing = FolderListed;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsShortcutName(found.cFileName)) continue;
        if (!AddName(names, found.cFileName)) listing = FolderOutOfMemory;
    } while (listing == FolderListed && FindNextFileW(search, &found));
    if (listing == FolderListed && GetLastError() != ERROR_NO_MORE_FILES) listing = FolderUnreadable;
    FindClose(search);
    return listing;
}

// A link's name as the report shows it, in the system code page; the
// UTF-16 name stays the one used as a path.
struct ShortcutEntry {
    const wchar_t* name;
    char shown[PathBufferSize];
};

static unsigned char FoldAsciiLetter(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + ('a' - 'A')) : c;
}

// Byte order with ASCII letters folded, so SWAYPIX(2).LNK comes before
// SWAYPIX.LNK whatever their case. The second byte of a double-byte
// character is never folded, and bytes compare unsigned (_stricmp folds
// such bytes and, under Wine, compares signed).
static int CompareNamesIgnoringCase(const void* left, const void* right) {
    const unsigned char* a = (const unsigned char*)((const ShortcutEntry*)left)->shown;
    const unsigned char* b = (const unsigned char*)((const ShortcutEntry*)right)->shown;
    bool trailByte = false;
    for (;; ++a, ++b) {
        unsigned char x = trailByte ? *a : FoldAsciiLetter(*a);
        unsigned char y = trailByte ? *b : FoldAsciiLetter(*b);
        if (x != y) return x < y ? -1 : 1;
        if (x == '\0') return 0;
        // Equal so far, so a lead byte here is one in both names.
        trailByte = !trailByte && IsLeadByte(CP_ACP, (char)x);
    }
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

enum LinkReading { LinkRead, LinkUnreadable, LinkWithoutCom };

// A corrupt or empty file, or a cloud file not on the disk, does not load.
static LinkReading ReadLink(const wchar_t* path, LinkContents* contents) {
    ShellLinkObject object;
    if (!CreateShellLinkObject(&object)) return LinkWithoutCom;
    bool read = SUCCEEDED(object.file->Load(path, STGM_READ)) &&
                SUCCEEDED(object.link->GetArguments(contents->arguments, PathBufferSize));
    if (read) ReadLinkTarget(object.link, contents->target);
    ReleaseShellLinkObject(&object);
    return read ? LinkRead : LinkUnreadable;
}

// Milliseconds as seconds with up to three decimals, no trailing zeros.
static void FormatSeconds(unsigned milliseconds, char (&text)[16]) {
    int length = wsprintfA(text, "%u.%03u", milliseconds / 1000, milliseconds % 1000);
    while (text[length - 1] == '0') text[--length] = '\0';
    if (text[length - 1] == '.') text[length - 1] = '\0';
}

// Days named apart from the bounds' separator: Sat/Sun, Mon-Fri; nothing
// for no days.
static void AppendDays(ReportBuffer& report, unsigned days, const char* separator) {
    static const LocalText DayNames[7] = {{"日", "Sun"}, {"月", "Mon"}, {"火", "Tue"}, {"水", "Wed"},
                                          {"木", "Thu"}, {"金", "Fri"}, {"土", "Sat"}};
    DayRun runs[7];
    int count = DayRunsOf(days, runs);
    for (int i = 0; i < count; ++i) {
        report.Append(i > 0 ? Pick("・", "/") : separator);
        report.Append(Pick(DayNames[runs[i].first]));
        if (runs[i].last == runs[i].first) continue;
        report.Append(Pick("～", "-"));
        report.Append(Pick(DayNames[runs[i].last]));
    }
}

// Each bound in words, in the order a shortcut's arguments give them,
// then the hours and days the session nudges in.
static void AppendBoundPhrases(ReportBuffer& report, const NudgeBounds& bounds) {
    const char* separator = Pick("、", ", ");
    if (bounds.hasUntil)
        report.AppendFormat(Pick("%s%d:%02dまで", "%suntil %d:%02d"), separator, bounds.untilMinuteOfDay / 60,
                            bounds.untilMinuteOfDay % 60);
    if (bounds.forMinutes) report.AppendFormat(Pick("%s%d分間", "%sfor %d min"), separator, bounds.forMinutes);
    char name[WatchedNameSize * 3];  // UTF-8 takes up to 3 bytes a unit
    if (bounds.whileName[0] && NarrowText(CP_ACP, bounds.whileName, name, sizeof name))
        report.AppendFormat(Pick("%s%sの実行中", "%swhile %s runs"), separator, name);
    if (bounds.mainsOnly) report.AppendFormat("%s%s", separator, Pick("AC電源時のみ", "on mains power only"));
    if (bounds.hasHours)
        report.AppendFormat(Pick("%s%d:%02d～%d:%02d", "%s%d:%02d-%d:%02d"), separator, bounds.hoursFromMinute / 60,
                            bounds.hoursFromMinute % 60, bounds.hoursToMinute / 60, bounds.hoursToMinute % 60);
    AppendDays(report, bounds.days, separator);
}

// What the arguments start the program with: the nudge, its interval and
// its bounds; without an interval above 0, the set-up dialog; or nothing,
// as the program refuses them. "/X" alone only ends a resident instance.
// The words are cut out of `arguments` in place.
static void AppendStartedSettings(ReportBuffer& report, wchar_t* arguments) {
    if (IsSilentToggleText(arguments)) return;
    NudgeArguments settings = {0, 1, {}};
    NudgeVerdict verdict = ReadNudgeArgumentText(arguments, &settings);
    if (verdict.reading == NudgeSwitchRefused) {
        char refused[PathBufferSize * 3];  // UTF-8 takes up to 3 bytes a unit
        NarrowTextAsTyped(verdict.word, refused, sizeof refused);
        report.AppendFormat(Pick(" (拒否: %s)", " (refused: %s)"), refused);
        return;
    }
    if (verdict.reading != NudgeArgumentsAccepted) {
        report.Append(Pick(" (拒否: 間隔なし)", " (refused: no interval)"));
        return;
    }
    if (settings.interval <= 0) {
        report.Append(Pick(" (設定ダイアログ)", " (set-up dialog)"));
        return;
    }
    char seconds[16];
    FormatSeconds((unsigned)settings.interval, seconds);
    const char* mode = settings.bounds.systemOnly
                           ? Pick(" (スリープ防止・画面は消灯可、%s秒毎に確認", " (PC kept awake, display may turn off, checked every %s s")
                       : settings.distance == 0 ? Pick(" (Shiftキー %s秒毎", " (Shift key every %s s")
                                                : Pick(" (マウス %s秒毎", " (pointer every %s s");
    report.AppendFormat(mode, seconds);
    AppendBoundPhrases(report, settings.bounds);
    report.Append(")");
}

static void AppendLabelAndFolderWord(ReportBuffer& report, const ShortcutPlace& place) {
    report.Append(Pick("\r\nショートカット:", "\r\nShortcut      :"));
    report.Append(Pick(place.name));
}

static void AppendShortcutLine(ReportBuffer& report, const ShortcutPlace& place, const wchar_t* folder,
                               const ShortcutEntry& entry) {
    AppendLabelAndFolderWord(report, place);
    report.Append("\\");
    report.Append(entry.shown);
    wchar_t path[PathBufferSize];
    LinkContents contents = {};
    LinkReading reading =
        JoinFolderAndName(path, folder, entry.name, L"") ? ReadLink(path, &contents) : LinkUnreadable;
    if (reading == LinkUnreadable) report.Append(Pick(" [読み取れません]", " [unreadable]"));
    if (reading != LinkRead) return;
    // As typed, like a refused word: a best fit would show "／AC" as "/AC".
    char arguments[PathBufferSize * 3];  // UTF-8 takes up to 3 bytes a unit
    NarrowTextAsTyped(contents.arguments, arguments, sizeof arguments);
    if (arguments[0]) {
        report.Append(" ");
        report.Append(arguments);
    }
    AppendStartedSettings(report, contents.arguments);
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

struct ShortcutTally {
    unsigned foldersRead;
    unsigned listed;
};

static void AppendFolderUnreadable(ReportBuffer& report, const ShortcutPlace& place) {
    AppendLabelAndFolderWord(report, place);
    report.Append(Pick(" [フォルダを読み取れません]", " [folder unreadable]"));
}

// The folder's shortcuts, then its unreadable line when it has no path,
// one too long to search, or its search failed; false when memory ran out.
static bool AppendFolderShortcuts(ReportBuffer& report, const ShortcutPlace& place, ShortcutTally* tally) {
    wchar_t folder[PathBufferSize];
    wchar_t pattern[PathBufferSize];
    if (!GetShellFolderPath(place.csidl, folder) || !JoinFolderAndName(pattern, folder, ShortcutPattern, L"")) {
        AppendFolderUnreadable(report, place);
        return true;
    }
    ShortcutNames names = {};
    FolderListing listing = CollectShortcutNames(folder, pattern, &names);
    bool written = listing != FolderOutOfMemory && (names.count == 0 || AppendInNameOrder(report, place, folder, names));
    if (written && listing == FolderUnreadable) AppendFolderUnreadable(report, place);
    if (listing == FolderListed) ++tally->foldersRead;
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
