#include "tests/support/fuzz_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/test_files.h"

static unsigned long EnvironmentNumber(const char* name, unsigned long otherwise) {
    char text[32];
    DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    return length && length < sizeof text ? strtoul(text, NULL, 0) : otherwise;
}

FuzzBudget BudgetOf(unsigned inputs, double share) {
    unsigned long seconds = EnvironmentNumber("FUZZ_SECONDS", 0);
    if (seconds == 0) return FuzzBudget{inputs, 0};
    return FuzzBudget{0, GetTickCount() + (DWORD)(seconds * 1000.0 * share)};
}

bool BudgetLeft(const FuzzBudget& budget, unsigned done) {
    return budget.endTick ? (LONG)(budget.endTick - GetTickCount()) > 0 : done < budget.inputs;
}

FuzzRandom SeededRandom(uint32_t stream) {
    uint64_t seed = EnvironmentNumber("FUZZ_SEED", 0x5EED2026);
    return FuzzRandom{(seed << 32 | stream) * 2 + 1};
}

static std::string RegressionFolder() {
    return TestDataPath("fuzz-regressions");
}

// FNV-1a: the same input keeps the same name.
static uint32_t InputHash(const std::string& bytes) {
    uint32_t hash = 2166136261u;
    for (char c : bytes) hash = (hash ^ (uint8_t)c) * 16777619u;
    return hash;
}

std::string KeepFailingInput(const char* prefix, const char* extension, const std::string& bytes) {
    char name[64];
    snprintf(name, sizeof name, "\\%s-%08x%s", prefix, InputHash(bytes), extension);
    std::string path = RegressionFolder() + name;
    CreateDirectoryA(RegressionFolder().c_str(), NULL);
    FILE* file = fopen(path.c_str(), "wb");
    if (file) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
    return path;
}

std::vector<std::string> KeptInputs(const char* prefix) {
    // A folder that cannot be read would pass every replay of what it keeps;
    // one that can lists "." at least.
    EXPECT_FALSE(MatchingFileNames(RegressionFolder(), "*").empty()) << RegressionFolder() << " cannot be read";
    std::vector<std::string> paths;
    for (const std::string& name : MatchingFileNames(RegressionFolder(), (std::string(prefix) + "-*").c_str()))
        paths.push_back(RegressionFolder() + "\\" + name);
    return paths;
}
