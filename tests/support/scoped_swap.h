// Swapping a seam (`Processor`, `Version`, `Session`...) or a process-wide
// setting (`ReportLanguage`) for one test: the old value comes back when
// the scope ends, also when an ASSERT leaves it early.
#pragma once

template <typename T>
struct ScopedSwap {
    T& target;
    T saved;
    // Only remembers: for code under test that swaps the value itself.
    explicit ScopedSwap(T& value) : target(value), saved(value) {}
    ScopedSwap(T& value, const T& replacement) : target(value), saved(value) { target = replacement; }
    ~ScopedSwap() { target = saved; }
    ScopedSwap(const ScopedSwap&) = delete;
    ScopedSwap& operator=(const ScopedSwap&) = delete;
};
