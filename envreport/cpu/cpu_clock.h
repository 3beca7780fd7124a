// The processor clock, measured by counting time-stamp-counter cycles over
// a window of about 300 ms timed four ways, one report line each.
#pragma once
#include <cstdint>

#include "envreport/report_buffer.h"

// 0 performance counter, 1 multimedia timer, 2 GetTickCount, 3 Sleep.
typedef uint8_t ClockMethod;

// Hundredths of a MHz (299912 is 2999.12 MHz), or 0 for no result. The
// thread runs at time-critical priority on the first processor meanwhile.
uint32_t MeasureCpuClock(ClockMethod method);

// 1 when CPUID exists and leaf 1 reports a time-stamp counter.
int HasTimeStampCounter();

// The arithmetic of the methods, on their readings. Counter ticks lose the
// cost of one counter read (c1 - c0); a zero divisor gives 0.
uint32_t ClockFromPerformanceCounter(uint64_t t0, uint64_t t1, uint64_t c0, uint64_t c1, uint64_t c2,
                                     uint64_t frequency);
uint32_t ClockFromMilliseconds(uint64_t t0, uint64_t t1, uint32_t milliseconds);
// True once `now` is 300 ms past `start`, across a wrap of the tick count.
bool TickWindowEnded(uint32_t start, uint32_t now);

// Appends the lines of the methods that give a result. Nothing when the
// processor has no time-stamp counter or ReportMeasuresClock is false.
void WriteClockLines(ReportBuffer& report);
void AppendClockLine(ReportBuffer& report, ClockMethod method, uint32_t hundredthsMhz);

// Cleared by the report tool's --no-clock, for fast replays.
extern bool ReportMeasuresClock;
