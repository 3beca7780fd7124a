// Prints how long BuildEnvironmentReport takes on this machine, in both
// languages, how large the text is and what each section costs: the
// report runs inside a button press, so its time is time the About box
// does not answer.
#include <windows.h>

#include <cstdio>

#include "about/product_title.h"
#include "common/product_identity.h"
#include "envreport/cpu/cpu_clock.h"
#include "envreport/report_driver.h"

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

static void TimeReport(const char* name, DWORD selector, int runs) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double total = 0, fastest = 1e30, slowest = 0;
    SIZE_T size = 0;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        HGLOBAL report = BuildEnvironmentReport(selector, ProductTitleLine);
        QueryPerformanceCounter(&end);
        size = report ? GlobalSize(report) : 0;
        if (report) GlobalFree(report);
        double ms = Milliseconds(start, end, frequency);
        total += ms;
        if (ms < fastest) fastest = ms;
        if (ms > slowest) slowest = ms;
    }
    printf("report %-22s %3d runs: mean %8.3f ms, fastest %8.3f ms, slowest %8.3f ms, %lu bytes\n", name, runs,
           total / runs, fastest, slowest, (unsigned long)size);
}

// The four clock methods side by side, to compare with the host's own
// figure for the time-stamp counter.
static void PrintClockMethods() {
    static const char* const names[4] = {"performance counter", "multimedia timer", "GetTickCount", "Sleep"};
    for (ClockMethod method = 0; method < 4; ++method) {
        uint32_t value = MeasureCpuClock(method);
        printf("clock %-20s %5u.%02u MHz\n", names[method], value / 100, value % 100);
    }
}

// Each section alone, in report order, to tell where the time goes.
static void TimeSections(int runs) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const ReportSectionList all = ReportSections;
    for (size_t i = 0; i < all.count; ++i) {
        ReportSections.sections = &all.sections[i];
        ReportSections.count = 1;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int run = 0; run < runs; ++run) {
            HGLOBAL report = BuildEnvironmentReport(1, ProductTitleLine);
            if (report) GlobalFree(report);
        }
        QueryPerformanceCounter(&end);
        printf("section %u of %u          mean %8.3f ms\n", (unsigned)i + 1, (unsigned)all.count,
               Milliseconds(start, end, frequency) / runs);
    }
    ReportSections = all;
}

int main() {
    PrintClockMethods();
    ProductVersionTexts texts;
    UpdateProductTitleLine(ProductName, true, &texts);
    // The clock windows alone hold the thread for four times 300 ms.
    TimeReport("Japanese with clock", 0, 3);
    TimeReport("English with clock", 1, 3);
    ReportMeasuresClock = false;
    TimeReport("Japanese without clock", 0, 20);
    TimeReport("English without clock", 1, 20);
    TimeSections(20);
    return 0;
}
