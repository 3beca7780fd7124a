// What a fuzzing run may spend, in all and on one input, and where the
// inputs it fails on are kept: tests/data/fuzz-regressions, replayed by a
// test on every run.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/fault_trap.h"
#include "tests/support/input_mutations.h"

// FUZZ_SECONDS set: that many seconds in all, `share` of them here
// (make fuzz); unset, `inputs` inputs (the bounded run of every test run).
struct FuzzBudget {
    unsigned inputs;
    DWORD endTick;  // 0: count inputs
};
FuzzBudget BudgetOf(unsigned inputs, double share);
bool BudgetLeft(const FuzzBudget& budget, unsigned done);

// Seeded from FUZZ_SEED, else one fixed seed, and `stream` apart.
FuzzRandom SeededRandom(uint32_t stream);

// For one test, as a member of its fixture: an input RunWatched runs that
// takes longer than `limitMs` is kept as <prefix>-<hash><extension>, and
// the process ends with exit code 3.
struct HangWatch {
    HANDLE stop, thread;
    HangWatch(DWORD limitMs, const char* prefix, const char* extension);
    ~HangWatch();
};
// RunTrapped under the test's hang watch; `input` is what a hang keeps.
bool RunWatched(const std::string& input, void (*run)(void* context), void* context, char* fault, size_t faultSize);

// Writes the input as <prefix>-<hash><extension> among the regressions
// and returns its path.
std::string KeepFailingInput(const char* prefix, const char* extension, const std::string& bytes);
// The paths of the kept inputs whose names start with `prefix`; a test
// failure when the folder cannot be read.
std::vector<std::string> KeptInputs(const char* prefix);
