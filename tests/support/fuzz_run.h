// What a fuzzing run may spend, and where the inputs it fails on are kept:
// tests/data/fuzz-regressions, replayed by a test on every run.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

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

// Writes the input as <prefix>-<hash><extension> among the regressions
// and returns its path.
std::string KeepFailingInput(const char* prefix, const char* extension, const std::string& bytes);
// The paths of the kept inputs whose names start with `prefix`; a test
// failure when the folder cannot be read.
std::vector<std::string> KeptInputs(const char* prefix);
