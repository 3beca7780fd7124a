// Prints how long a CPUID replay takes: reading and parsing the dump, and
// parsing it alone from memory, each with its rate, then writing the
// processor section and raw block from it, for every recorded dump and
// for generated dumps of server size (1024 CPUs and 16 MB in `cpuid -r`
// layout, 512 CPUs and 3 MB in the published layout). Measured inside the
// process, best of a few runs.
#include <windows.h>

#include <cstdio>
#include <string>

#include "envreport/cpu/cpu_clock.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/cpu/cpuid_raw_section.h"
#include "envreport/cpu/cpuid_replay.h"
#include "envreport/cpu/processor_section.h"
#include "envreport/report_language.h"
#include "tests/support/test_files.h"

static double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

static double MegabytesPerSecond(size_t bytes, double ms) {
    return ms > 0 ? (double)bytes / 1e6 / (ms / 1000.0) : 0;
}

// The best of `runs` for each step.
static void TimeReplay(const std::string& path, const char* label, int runs) {
    std::string text = ReadTextFile(path);
    double bestRead = 1e30, bestParse = 1e30, bestSections = 1e30;
    unsigned length = 0;
    for (int run = 0; run < runs; ++run) {
        char error[200] = "";
        double start = Now();
        if (!ReplayCpuidText(text.c_str(), error, sizeof error)) {
            printf("%-44s %s\n", label, error);
            return;
        }
        double parsed = Now();
        if (!ReplayCpuidDump(WideOf(path).c_str(), error, sizeof error)) {
            printf("%-44s %s\n", label, error);
            return;
        }
        double read = Now();
        CpuidInfo = CpuidInfoRecord();
        ReportBuffer report = {};
        report.Init();
        ReportContext context = {};
        WriteProcessorSection(report, context);
        WriteCpuidRawSection(report, context);
        double written = Now();
        length = report.length;
        report.Free();
        if (parsed - start < bestParse) bestParse = parsed - start;
        if (read - parsed < bestRead) bestRead = read - parsed;
        if (written - read < bestSections) bestSections = written - read;
    }
    printf("%-44s %4u CPUs %6u KB  parse %8.3f ms %6.0f MB/s  file %8.3f ms %6.0f MB/s  sections %6.3f ms"
           "  (%u bytes of report)\n",
           label, Processor.cpuCount(), (unsigned)(text.size() / 1024), bestParse,
           MegabytesPerSecond(text.size(), bestParse), bestRead, MegabytesPerSecond(text.size(), bestRead),
           bestSections, length);
}

static void TimeFolder(const char* folder, const char* pattern) {
    for (const std::string& name : MatchingFileNames(TestDataPath(folder), pattern))
        TimeReplay(TestDataPath(std::string(folder) + "\\" + name), name.c_str(), 5);
}

// A hybrid processor's CPUs, each with `leaves` leaves beyond the few the
// section reads; `published` picks the layout.
static std::string GeneratedDump(unsigned cpus, unsigned leaves, bool published) {
    std::string text;
    char line[128];
    for (unsigned cpu = 0; cpu < cpus; ++cpu) {
        const unsigned regs[][6] = {
            {0, 0, 0x20, 0x756e6547, 0x6c65746e, 0x49656e69}, {1, 0, 0x90672, 0x800, 0x7ffafbff, 0xbfebfbff},
            {4, 0, 0xfc004121, 0x02c0003f, 0x3f, 0},          {4, 1, 0xfc004122, 0x01c0003f, 0x3f, 0},
            {4, 2, 0xfc01c143, 0x0240003f, 0x7ff, 0},         {4, 3, 0},
            {7, 0, 1, 0x239ca7eb, 0x98c027ac, 0xfc1cc410},    {7, 1, 0x400810, 0, 0, 0},
            {0x1a, 0, cpu < cpus / 2 ? 0x40000001u : 0x20000001u, 0, 0, 0}};
        if (!published) text += "CPU " + std::to_string(cpu) + ":\n";
        for (unsigned i = 0; i < sizeof regs / sizeof regs[0] + leaves; ++i) {
            const unsigned filler[6] = {0x40000000 + i, 0, cpu, i, 0, 0};
            const unsigned* r = i < sizeof regs / sizeof regs[0] ? regs[i] : filler;
            if (published)
                snprintf(line, sizeof line, "CPUID %08X: %08X-%08X-%08X-%08X [SL %02X]\n", r[0], r[2], r[3], r[4],
                         r[5], r[1]);
            else
                snprintf(line, sizeof line, "   0x%08x 0x%02x: eax=0x%08x ebx=0x%08x ecx=0x%08x edx=0x%08x\n", r[0],
                         r[1], r[2], r[3], r[4], r[5]);
            text += line;
        }
    }
    return text;
}

static void TimeGenerated(unsigned cpus, unsigned leaves, bool published) {
    char folder[MAX_PATH], path[MAX_PATH + 32], label[64];
    GetTempPathA(sizeof folder, folder);
    wsprintfA(path, "%sswaypix-bench-%u.txt", folder, cpus);
    std::string text = GeneratedDump(cpus, leaves, published);
    FILE* file = fopen(path, "wb");
    if (!file) return;
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
    wsprintfA(label, "generated %s, %u KB", published ? "published" : "cpuid -r", (unsigned)(text.size() / 1024));
    TimeReplay(path, label, 5);
    DeleteFileA(path);
}

int main() {
    ReportMeasuresClock = false;
    ReportLanguage = false;
    TimeFolder("cpuid", "*.raw");
    TimeFolder("cpuid-published", "*.txt");
    TimeGenerated(1024, 200, false);
    TimeGenerated(512, 100, true);
    return 0;
}
