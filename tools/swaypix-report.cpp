// swaypix-report: the environment report on standard output, byte for
// byte as the About box writes it to its file (without the file's header),
// for maintainers and for tests that need no window.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "about/product_title.h"
#include "common/ansi_text.h"
#include "common/dll_search.h"
#include "common/paths.h"
#include "common/product_identity.h"
#include "common/shell_calls.h"
#include "envreport/cpu/cpu_clock.h"
#include "envreport/cpu/cpuid_replay.h"
#include "envreport/report_driver.h"

static const char Usage[] =
    "usage: swaypix-report [--english] [--utf8] [--cpuid FILE] [--no-clock] [--help]\n"
    "  Prints the environment report (Japanese by default) in the ANSI\n"
    "  code page with CRLF line ends, as the About box's report file holds it.\n"
    "  --english  the English report\n"
    "  --utf8     convert the text to UTF-8 for a terminal\n"
    "  --cpuid FILE  replay a CPUID dump instead of this processor: `cpuid -r`\n"
    "             output, \"CPUID 00000004: EAX-EBX-ECX-EDX [SL 00]\" lines,\n"
    "             or a saved report's raw block; every CPU is kept\n"
    "             (a Windows path; under Wine /tmp/x.raw is Z:\\tmp\\x.raw)\n"
    "  --no-clock skip the clock measurement (about 1.2 s)\n"
    "  --help     this text\n";

// The error line: a message and a path of up to three UTF-8 bytes a
// character.
static const size_t ErrorSize = 3 * PathBufferSize + 80;

struct ReportOptions {
    bool english;
    bool utf8;
    bool help;
    bool noClock;
    const wchar_t* cpuidDump;
};

// False on an unknown argument.
static bool ReadOptions(int argc, wchar_t** argv, ReportOptions* options) {
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--english") == 0) options->english = true;
        else if (wcscmp(argv[i], L"--utf8") == 0) options->utf8 = true;
        else if (wcscmp(argv[i], L"--help") == 0) options->help = true;
        else if (wcscmp(argv[i], L"--no-clock") == 0) options->noClock = true;
        else if (wcscmp(argv[i], L"--cpuid") == 0 && i + 1 < argc) options->cpuidDump = argv[++i];
        else return false;
    }
    return true;
}

static bool WriteText(const char* text) {
    size_t length = strlen(text);
    return fwrite(text, 1, length, stdout) == length;
}

// The Japanese labels are code page 932 whatever the locale; the English
// report holds only what the system gave, in its ANSI code page.
static bool WriteReport(const char* text, const ReportOptions& options) {
    if (!options.utf8) return WriteText(text);
    char* utf8 = Utf8Text(options.english ? CP_ACP : ProgramTextCodePage, text);
    bool written = utf8 && WriteText(utf8);
    free(utf8);
    return written;
}

// A console shows the UTF-8 error whole through the wide call; a pipe or
// file takes the UTF-8 bytes.
static void WriteUtf8Error(const char* text) {
    HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode, written;
    wchar_t wide[ErrorSize];
    if (GetConsoleMode(standardError, &mode) && WidenText(CP_UTF8, text, wide, sizeof wide / sizeof *wide))
        WriteConsoleW(standardError, wide, (DWORD)wcslen(wide), &written, NULL);
    else
        fputs(text, stderr);
}

// Wide arguments (-municode): a dump's path may hold characters the ANSI
// code page lacks.
int wmain(int argc, wchar_t** argv) {
    RestrictDllSearchToSystemFolder();
    ReportOptions options = {};
    if (!ReadOptions(argc, argv, &options)) {
        fputs(Usage, stderr);
        return 2;
    }
    if (options.help) {
        fputs(Usage, stdout);
        return 0;
    }
    if (options.cpuidDump) {
        char error[ErrorSize] = "swaypix-report: ";
        size_t prefix = strlen(error);
        if (!ReplayCpuidDump(options.cpuidDump, error + prefix, sizeof error - prefix - 1)) {
            strcat(error, "\n");
            WriteUtf8Error(error);
            return 2;
        }
    }
    ReportMeasuresClock = !options.noClock;
    _setmode(_fileno(stdout), _O_BINARY);
    ProductVersionTexts texts;
    UpdateProductTitleLine(ProductName, !options.english, &texts);
    // The shortcut lines read links through COM, as the About box does
    // inside the set-up dialog's apartment.
    bool comReady = SUCCEEDED(InitializeCom());
    HGLOBAL report = BuildEnvironmentReport(options.english ? 1 : 0, ProductTitleLine);
    if (comReady) UninitializeCom();
    const char* text = report ? (const char*)GlobalLock(report) : NULL;
    if (!text) {
        fputs("swaypix-report: no memory for the report\n", stderr);
        if (report) GlobalFree(report);
        return 1;
    }
    bool written = WriteReport(text, options);
    GlobalUnlock(report);
    GlobalFree(report);
    if (fflush(stdout) != 0 || !written) {
        fputs("swaypix-report: cannot write the report\n", stderr);
        return 1;
    }
    return 0;
}
