#include "envreport/cpu/cpu_clock.h"

#include <windows.h>

#include "common/optional_functions.h"
#include "envreport/cpu/cpuid_info.h"
#include "envreport/report_language.h"

bool ReportMeasuresClock = true;

static const uint32_t ClockWindowMs = 300;

int HasTimeStampCounter() {
    if (!HasCpuidInstruction()) return 0;
    CpuidRegisters leaf1;
    Processor.cpuid(1, &leaf1);
    return (leaf1.edx >> 4) & 1;
}

bool TickWindowEnded(uint32_t start, uint32_t now) {
    return now - start >= ClockWindowMs;
}

uint32_t ClockFromPerformanceCounter(uint64_t t0, uint64_t t1, uint64_t c0, uint64_t c1, uint64_t c2,
                                     uint64_t frequency) {
    uint64_t elapsed = c2 + c0 - 2 * c1;
    if (elapsed == 0) return 0;
    return (uint32_t)(((t1 - t0) * frequency / elapsed) / 10000);
}

uint32_t ClockFromMilliseconds(uint64_t t0, uint64_t t1, uint32_t milliseconds) {
    if (milliseconds == 0) return 0;
    return (uint32_t)(((t1 - t0) / milliseconds) / 10);
}

static void SpinForClockWindow() {
    DWORD start = GetTickCount();
    while (!TickWindowEnded(start, GetTickCount())) {
    }
}

static uint64_t ReadPerformanceCounter() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return (uint64_t)value.QuadPart;
}

static uint32_t MeasureWithPerformanceCounter() {
    if (!HasTimeStampCounter()) return 0;
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return 0;
    uint64_t c0 = ReadPerformanceCounter();
    uint64_t c1 = ReadPerformanceCounter();
    uint64_t t0 = Processor.readTimeStampCounter();
    SpinForClockWindow();
    uint64_t c2 = ReadPerformanceCounter();
    uint64_t t1 = Processor.readTimeStampCounter();
    QueryPerformanceFrequency(&frequency);
    return ClockFromPerformanceCounter(t0, t1, c0, c1, c2, (uint64_t)frequency.QuadPart);
}

// The counter against a clock that counts milliseconds.
static uint32_t MeasureAgainstMilliseconds(DWORD(WINAPI* milliseconds)()) {
    DWORD m0 = milliseconds();
    uint64_t t0 = Processor.readTimeStampCounter();
    SpinForClockWindow();
    DWORD m1 = milliseconds();
    uint64_t t1 = Processor.readTimeStampCounter();
    return ClockFromMilliseconds(t0, t1, m1 - m0);
}

// The multimedia library is loaded (from the system folder) only for the
// report: the resident program should not carry it.
static uint32_t MeasureWithMultimediaTimer() {
    TimeGetTimeFunction timeGetTime = OptionalTimeGetTime();
    return timeGetTime ? MeasureAgainstMilliseconds(timeGetTime) : 0;
}

static uint32_t MeasureWithSleep() {
    uint64_t t0 = Processor.readTimeStampCounter();
    Sleep(ClockWindowMs);
    uint64_t t1 = Processor.readTimeStampCounter();
    return ClockFromMilliseconds(t0, t1, ClockWindowMs);
}

static uint32_t RunClockMethod(ClockMethod method) {
    switch (method) {
    case 0: return MeasureWithPerformanceCounter();
    case 1: return MeasureWithMultimediaTimer();
    case 2: return MeasureAgainstMilliseconds(GetTickCount);
    case 3: return MeasureWithSleep();
    }
    return 0;
}

// Both counter readings must come from one processor, undisturbed.
uint32_t MeasureCpuClock(ClockMethod method) {
    HANDLE thread = GetCurrentThread();
    Sleep(0);
    int oldPriority = GetThreadPriority(thread);
    bool priorityRead = oldPriority != THREAD_PRIORITY_ERROR_RETURN;
    if (priorityRead) SetThreadPriority(thread, THREAD_PRIORITY_TIME_CRITICAL);
    DWORD_PTR oldAffinity = SetThreadAffinityMask(thread, 1);
    uint32_t result = RunClockMethod(method);
    SetThreadAffinityMask(thread, oldAffinity);
    if (priorityRead) SetThreadPriority(thread, oldPriority);
    return result;
}

static const char* const JapaneseClockLines[4] = {
    "\r\nCPUクロック   :%5u.%02u MHz (高分解能パフォーマンスカウンタ利用)",
    "\r\nCPUクロック   :%5u.%02u MHz (マルチメディアタイマ利用)",
    "\r\nCPUクロック   :%5u.%02u MHz (GetTickCount利用)",
    "\r\nCPUクロック   :%5u.%02u MHz (Sleep利用)",
};
static const char* const EnglishClockLines[4] = {
    "\r\nFrequency     :%5u.%02u MHz (with High-resolution performance counter)",
    "\r\nFrequency     :%5u.%02u MHz (with Multi media timer)",
    "\r\nFrequency     :%5u.%02u MHz (with GetTickCount)",
    "\r\nFrequency     :%5u.%02u MHz (with Sleep)",
};

void AppendClockLine(ReportBuffer& report, ClockMethod method, uint32_t hundredthsMhz) {
    if (hundredthsMhz == 0 || method > 3) return;
    report.AppendFormat(Pick(JapaneseClockLines[method], EnglishClockLines[method]), hundredthsMhz / 100,
                        hundredthsMhz % 100);
}

void WriteClockLines(ReportBuffer& report) {
    if (!ReportMeasuresClock || !((CpuidInfo.featureEdx >> 4) & 1)) return;
    for (ClockMethod method = 0; method < 4; ++method) AppendClockLine(report, method, MeasureCpuClock(method));
}
