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
    WriteTextFile(path, bytes);
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

// The watch's thread reads these while the test's thread runs an input;
// the lock keeps the test's thread from changing them under it.
static CRITICAL_SECTION* WatchLock() {
    static CRITICAL_SECTION lock;
    static bool ready = (InitializeCriticalSection(&lock), true);
    (void)ready;
    return &lock;
}
static DWORD HangLimitMs;
static const char* HangPrefix;  // NULL while no test watches
static const char* HangExtension;
static std::string RunningInput;
static bool InputRunning;
static DWORD InputStartTick;

// TerminateProcess: ExitProcess would run the C runtime's exit on this
// thread, which can wait for ever on a lock the hung thread holds.
static void KeepTheHangingInput() {
    fprintf(stderr, "an input ran longer than %lu ms\nkept as %s\n", HangLimitMs,
            KeepFailingInput(HangPrefix, HangExtension, RunningInput).c_str());
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

static DWORD WINAPI WatchForHangs(void* stop) {
    while (WaitForSingleObject((HANDLE)stop, 100) == WAIT_TIMEOUT) {
        EnterCriticalSection(WatchLock());
        if (InputRunning && GetTickCount() - InputStartTick > HangLimitMs) KeepTheHangingInput();
        LeaveCriticalSection(WatchLock());
    }
    return 0;
}

HangWatch::HangWatch(DWORD limitMs, const char* prefix, const char* extension) {
    HangLimitMs = limitMs;
    HangPrefix = prefix;
    HangExtension = extension;
    stop = CreateEventA(NULL, TRUE, FALSE, NULL);
    thread = stop ? CreateThread(NULL, 0, WatchForHangs, stop, 0, NULL) : NULL;
    EXPECT_TRUE(thread != NULL) << "no hang watch, error " << GetLastError();
}

HangWatch::~HangWatch() {
    if (thread) {
        SetEvent(stop);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    if (stop) CloseHandle(stop);
    HangPrefix = NULL;
}

static void MarkInput(bool running, const std::string& input) {
    EnterCriticalSection(WatchLock());
    if (running) RunningInput = input;
    InputStartTick = GetTickCount();
    InputRunning = running;
    LeaveCriticalSection(WatchLock());
}

bool RunWatched(const std::string& input, void (*run)(void* context), void* context, char* fault, size_t faultSize) {
    EXPECT_TRUE(HangPrefix != NULL) << "an input runs without a hang watch";
    MarkInput(true, input);
    bool clean = RunTrapped(run, context, fault, faultSize);
    MarkInput(false, input);
    return clean;
}
