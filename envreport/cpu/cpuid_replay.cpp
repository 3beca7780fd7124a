#include "envreport/cpu/cpuid_replay.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "envreport/cpu/processor_access.h"
#include "envreport/report_text.h"

struct RecordedLeaf {
    uint32_t leaf;
    CpuidRegisters registers;
};

// A dump has a few dozen sub-leaf-0 entries; 512 is far beyond any.
const int MaxRecordedLeaves = 512;
static RecordedLeaf RecordedLeaves[MaxRecordedLeaves];
static int RecordedLeafCount;

static void ReplayedCpuid(uint32_t leaf, CpuidRegisters* out) {
    for (int i = 0; i < RecordedLeafCount; ++i) {
        if (RecordedLeaves[i].leaf == leaf) {
            *out = RecordedLeaves[i].registers;
            return;
        }
    }
    *out = CpuidRegisters();
}

static bool RecordedIdFlag() {
    return true;
}

static bool RecordedDivideTest() {
    return false;
}

// One line of the dump: "   0x00000001 0x00: eax=0x... ebx=0x... ecx=0x... edx=0x...".
static bool ParseLeafLine(const char* line, RecordedLeaf* out, unsigned* subleaf) {
    unsigned leaf = 0, eax = 0, ebx = 0, ecx = 0, edx = 0;
    int consumed = 0;
    if (sscanf(line, " 0x%8x 0x%2x: eax=0x%8x ebx=0x%8x ecx=0x%8x edx=0x%8x %n", &leaf, subleaf, &eax, &ebx, &ecx,
               &edx, &consumed) != 6 ||
        line[consumed] != '\0')
        return false;
    out->leaf = leaf;
    out->registers = {eax, ebx, ecx, edx};
    return true;
}

static bool IsCpuHeader(const char* line) {
    return strncmp(line, "CPU", 3) == 0 && line[strlen(line) - 1] == ':';
}

static bool IsBlank(const char* line) {
    return line[strspn(line, " \t")] == '\0';
}

// Splits off the next line (without CR or LF) into `line`; false at end.
static bool NextLine(const char** text, char* line, size_t size, bool* tooLong) {
    if (**text == '\0') return false;
    size_t length = strcspn(*text, "\r\n");
    *tooLong = length >= size;
    size_t kept = *tooLong ? size - 1 : length;
    memcpy(line, *text, kept);
    line[kept] = '\0';
    *text += length;
    if (**text == '\r') ++*text;
    if (**text == '\n') ++*text;
    return true;
}

bool ReplayCpuidText(const char* text, char* error, size_t errorSize) {
    static RecordedLeaf parsed[MaxRecordedLeaves];
    int count = 0;
    int cpuBlocks = 0;
    char line[256];
    bool tooLong = false;
    for (int number = 1; NextLine(&text, line, sizeof line, &tooLong); ++number) {
        if (tooLong) {
            FormatWholeCharacters(error, errorSize, "line %d: too long for a CPUID dump line", number);
            return false;
        }
        if (IsBlank(line)) continue;
        if (IsCpuHeader(line)) {
            if (++cpuBlocks > 1) break;  // only the first processor counts
            continue;
        }
        RecordedLeaf leaf;
        unsigned subleaf = 0;
        if (cpuBlocks == 0 || !ParseLeafLine(line, &leaf, &subleaf)) {
            FormatWholeCharacters(error, errorSize, "line %d: not a line of `cpuid -r -1` output: %.60s", number, line);
            return false;
        }
        if (subleaf != 0) continue;
        if (count == MaxRecordedLeaves) {
            FormatWholeCharacters(error, errorSize, "line %d: more than %d leaves", number, MaxRecordedLeaves);
            return false;
        }
        parsed[count++] = leaf;
    }
    if (count == 0) {
        FormatWholeCharacters(error, errorSize, "no CPUID leaves in the dump");
        return false;
    }
    memcpy(RecordedLeaves, parsed, sizeof parsed[0] * count);
    RecordedLeafCount = count;
    Processor.idFlagToggles = RecordedIdFlag;
    Processor.cpuid = ReplayedCpuid;
    Processor.divideLeavesFlagsClear = RecordedDivideTest;
    return true;
}

bool ReplayCpuidDump(const char* path, char* error, size_t errorSize) {
    FILE* file = fopen(path, "rb");
    if (!file) {
        FormatWholeCharacters(error, errorSize, "cannot open %s", path);
        return false;
    }
    // Only the report tool replays, so the resident program keeps no
    // buffer for it.
    const size_t limit = 256 * 1024;
    char* text = (char*)malloc(limit);
    if (!text) {
        fclose(file);
        FormatWholeCharacters(error, errorSize, "no memory to read %s", path);
        return false;
    }
    size_t length = fread(text, 1, limit - 1, file);
    bool truncated = !feof(file);
    fclose(file);
    bool replayed = false;
    if (truncated) FormatWholeCharacters(error, errorSize, "%s is too large for a CPUID dump", path);
    else if (memchr(text, '\0', length)) FormatWholeCharacters(error, errorSize, "%s holds binary data, not a CPUID dump", path);
    else {
        text[length] = '\0';
        replayed = ReplayCpuidText(text, error, errorSize);
    }
    free(text);
    return replayed;
}
