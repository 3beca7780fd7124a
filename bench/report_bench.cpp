// Prints how long BuildEnvironmentReport takes on this machine, in both
// languages, and how large the text is: the report runs inside a button
// press, so its time is time the About box does not answer.
#include <windows.h>

#include <cstdio>

#include "about/product_title.h"
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
        HGLOBAL report = BuildEnvironmentReport(selector);
        QueryPerformanceCounter(&end);
        size = report ? GlobalSize(report) : 0;
        if (report) GlobalFree(report);
        double ms = Milliseconds(start, end, frequency);
        total += ms;
        if (ms < fastest) fastest = ms;
        if (ms > slowest) slowest = ms;
    }
    printf("report %-8s %3d runs: mean %8.3f ms, fastest %8.3f ms, slowest %8.3f ms, %lu bytes\n", name, runs,
           total / runs, fastest, slowest, (unsigned long)size);
}

int main() {
    ProductVersionTexts texts;
    UpdateProductTitleLine("SWAYPIX", true, &texts);
    TimeReport("Japanese", 0, 20);
    TimeReport("English", 1, 20);
    return 0;
}
