#include "envreport/cpu/cpuid_replay.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "envreport/cpu/processor_access.h"
#include "envreport/report_text.h"

struct RecordedLeaf {
    uint32_t leaf;
    uint32_t subleaf;
    CpuidRegisters registers;
};

// One block holds a dump: its leaves in file order, then where each CPU's
// leaves begin (cpuStarts[cpus] is the end of the last CPU).
struct RecordedDump {
    RecordedLeaf* leaves;
    unsigned count;
    unsigned capacity;
    unsigned* cpuStarts;
    unsigned cpus;
};

static RecordedDump Recorded;

static void ReplayedCpuidOn(unsigned cpu, uint32_t leaf, uint32_t subleaf, CpuidRegisters* out) {
    *out = CpuidRegisters();
    if (cpu >= Recorded.cpus) return;
    for (unsigned i = Recorded.cpuStarts[cpu]; i < Recorded.cpuStarts[cpu + 1]; ++i) {
        if (Recorded.leaves[i].leaf == leaf && Recorded.leaves[i].subleaf == subleaf) {
            *out = Recorded.leaves[i].registers;
            return;
        }
    }
}

static void ReplayedCpuid(uint32_t leaf, CpuidRegisters* out) {
    ReplayedCpuidOn(0, leaf, 0, out);
}

static unsigned ReplayedCpuCount() {
    return Recorded.cpus;
}

static unsigned ReplayedMachineProcessors(unsigned* cores, unsigned* packages) {
    *cores = 0;
    *packages = 0;
    return Recorded.cpus;
}

static bool RecordedIdFlag() {
    return true;
}

static bool RecordedDivideTest() {
    return false;
}

// The recorded processor. A dump records no time-stamp counter, so the
// live one stays.
static const ProcessorAccess ReplayedProcessor = {RecordedIdFlag,  ReplayedCpuid,    RecordedDivideTest,
                                                  LiveProcessor.readTimeStampCounter, ReplayedCpuidOn,
                                                  ReplayedCpuCount, ReplayedMachineProcessors};

// Room for every line of the text as a leaf and as a CPU start; the
// system's pages, not the stack or the resident heap.
static bool AllocateDump(RecordedDump* dump, unsigned lines) {
    size_t size = (size_t)lines * (sizeof(RecordedLeaf) + sizeof(unsigned)) + sizeof(unsigned);
    void* block = VirtualAlloc(NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!block) return false;
    dump->leaves = (RecordedLeaf*)block;
    dump->capacity = lines;
    dump->cpuStarts = (unsigned*)(dump->leaves + lines);
    dump->count = 0;
    dump->cpus = 0;
    return true;
}

static void FreeDump(RecordedDump* dump) {
    if (dump->leaves) VirtualFree(dump->leaves, 0, MEM_RELEASE);
    *dump = RecordedDump();
}

static void StartCpu(RecordedDump* dump) {
    if (dump->cpus < dump->capacity) dump->cpuStarts[dump->cpus++] = dump->count;
}

static void AddLeaf(RecordedDump* dump, const RecordedLeaf& leaf) {
    if (dump->cpus == 0) StartCpu(dump);
    if (dump->count < dump->capacity) dump->leaves[dump->count++] = leaf;
}

static int HexDigit(char c) {
    unsigned digit = (unsigned)(c - '0');
    if (digit < 10) return (int)digit;
    unsigned letter = (unsigned)((c | 0x20) - 'a');
    return letter < 6 ? (int)letter + 10 : -1;
}

// Matches `pattern` at *at: a blank takes any run of blanks (or none),
// 'X' one to eight hex digits into the next value, anything else itself.
static bool Match(const char** at, const char* pattern, uint32_t* values) {
    const char* p = *at;
    for (; *pattern; ++pattern) {
        if (*pattern == ' ') {
            while (*p == ' ' || *p == '\t') ++p;
        } else if (*pattern == 'X') {
            uint32_t value = 0;
            int digits = 0;
            for (int d; digits < 8 && (d = HexDigit(*p)) >= 0; ++p, ++digits) value = value << 4 | d;
            if (digits == 0 || HexDigit(*p) >= 0) return false;
            *values++ = value;
        } else if (*p++ != *pattern) {
            return false;
        }
    }
    *at = p;
    return true;
}

static bool IsLineEnd(char c) {
    return c == '\0' || c == '\r' || c == '\n';
}

static const char* SkipBlanks(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    return text;
}

// Lines are read where they stand: a pattern stops at the line end, since
// no pattern character is a CR, LF or NUL.
static size_t LineLength(const char* line) {
    const char* end = line;
    while (!IsLineEnd(*end)) ++end;
    return (size_t)(end - line);
}

static const char* NextLineStart(const char* line, size_t length) {
    line += length;
    if (*line == '\r') ++line;
    if (*line == '\n') ++line;
    return line;
}

// "   0x00000001 0x00: eax=0x... ebx=0x... ecx=0x... edx=0x..." and nothing after.
static bool ParseRawLine(const char* line, RecordedLeaf* out) {
    uint32_t v[6];
    if (!Match(&line, " 0xX 0xX: eax=0xX ebx=0xX ecx=0xX edx=0xX ", v) || !IsLineEnd(*line)) return false;
    *out = {v[0], v[1], {v[2], v[3], v[4], v[5]}};
    return true;
}

// "CPU:" or "CPU 3:"; the published dumps' "CPUID Registers (CPU #1):" is none.
static bool IsCpuHeader(const char* line, size_t length) {
    return length >= 4 && strncmp(line, "CPU", 3) == 0 && strncmp(line, "CPUID", 5) != 0 && line[length - 1] == ':';
}

// "CPUID 00000004: FC004121-02C0003F-0000003F-00000000 [SL 00] ...", the
// colon sometimes blanks or a tab; without "[SL nn]", *hasSubleaf is false.
static bool ParsePublishedLine(const char* line, RecordedLeaf* out, bool* hasSubleaf) {
    uint32_t v[5];
    if (strncmp(line, "CPUID ", 6) != 0) return false;
    line += 6;
    const char* leafEnd = line;
    if (!Match(&leafEnd, "X", v) || leafEnd - line != 8) return false;
    line = leafEnd;
    while (*line == ':' || *line == ' ' || *line == '\t') ++line;
    if (!Match(&line, "X-X-X-X", v + 1)) return false;
    uint32_t subleaf = 0;
    *hasSubleaf = Match(&line, " [SL X]", &subleaf);
    *out = {v[0], subleaf, {v[1], v[2], v[3], v[4]}};
    return true;
}

// `cpuid -r` output, every "CPU n:" block; `firstLine` numbers the
// text's first line in the file.
static bool ParseRawDump(const char* text, int firstLine, RecordedDump* dump, char* error, size_t errorSize) {
    const size_t longestLine = 255;
    for (int number = firstLine; *text; ++number) {
        size_t length = LineLength(text);
        const char* line = text;
        text = NextLineStart(text, length);
        if (length > longestLine) {
            FormatWholeCharacters(error, errorSize, "line %d: too long for a CPUID dump line", number);
            return false;
        }
        if (IsLineEnd(*SkipBlanks(line))) continue;
        if (IsCpuHeader(line, length)) {
            StartCpu(dump);
            continue;
        }
        RecordedLeaf leaf;
        if (dump->cpus == 0 || !ParseRawLine(line, &leaf)) {
            FormatWholeCharacters(error, errorSize, "line %d: not a line of `cpuid -r -1` output: %.*s", number,
                     (int)(length < 60 ? length : 60), line);
            return false;
        }
        AddLeaf(dump, leaf);
    }
    return true;
}

// The published layouts: other lines are ignored, each leaf-0 line starts
// a CPU, and repeated lines of one leaf without "[SL nn]" are its
// sub-leaves 0, 1, 2, ...
static void ParsePublishedDump(const char* text, RecordedDump* dump) {
    RecordedLeaf previous = {0xFFFFFFFF, 0, {}};
    for (const char* line = text; *line; line = NextLineStart(line, LineLength(line))) {
        RecordedLeaf leaf;
        bool hasSubleaf = false;
        if (!ParsePublishedLine(line, &leaf, &hasSubleaf)) continue;
        if (leaf.leaf == 0 && (!hasSubleaf || leaf.subleaf == 0)) StartCpu(dump);
        else if (!hasSubleaf && leaf.leaf == previous.leaf) leaf.subleaf = previous.subleaf + 1;
        AddLeaf(dump, leaf);
        previous = leaf;
    }
}

// The raw block's heading in the report's three encodings: English, and
// Japanese in code page 932 and in UTF-8.
static const char* const RawBlockHeadings[] = {
    "[CPUID Raw Data]",
    "[CPUID\x90\xb6\x83\x66\x81\x5b\x83\x5e]",
    "[CPUID\xe7\x94\x9f\xe3\x83\x87\xe3\x83\xbc\xe3\x82\xbf]",
};

// Where a saved report's raw block begins (after its heading line), and
// that line's number; NULL when the text is no report. One search for the
// headings' common start keeps a large dump to a single pass.
static const char* RawBlockOfReport(const char* text, int* firstLine) {
    for (const char* found = strstr(text, "[CPUID"); found; found = strstr(found + 1, "[CPUID")) {
        for (const char* heading : RawBlockHeadings) {
            size_t length = strlen(heading);
            if (strncmp(found, heading, length) != 0) continue;
            *firstLine = 2;
            for (const char* c = text; c < found; ++c) *firstLine += *c == '\n';
            return NextLineStart(found, LineLength(found));
        }
    }
    return NULL;
}

static unsigned CountLines(const char* text) {
    unsigned lines = 1;
    for (const char* c = text; (c = strchr(c, '\n')) != NULL; ++c) ++lines;
    return lines;
}

// `cpuid -r` output starts with its first "CPU n:" line.
static bool StartsAsRawDump(const char* text) {
    while (IsLineEnd(*SkipBlanks(text)) && *text) text = NextLineStart(text, LineLength(text));
    return IsCpuHeader(text, LineLength(text));
}

static bool ParseDump(const char* text, RecordedDump* dump, char* error, size_t errorSize) {
    if (StartsAsRawDump(text)) return ParseRawDump(text, 1, dump, error, errorSize);
    int firstLine = 1;
    const char* rawBlock = RawBlockOfReport(text, &firstLine);
    if (rawBlock) return ParseRawDump(rawBlock, firstLine, dump, error, errorSize);
    ParsePublishedDump(text, dump);
    if (dump->count > 0) return true;
    dump->cpus = 0;
    return ParseRawDump(text, 1, dump, error, errorSize);
}

bool ReplayCpuidText(const char* text, char* error, size_t errorSize) {
    RecordedDump parsed = RecordedDump();
    if (!AllocateDump(&parsed, CountLines(text))) {
        FormatWholeCharacters(error, errorSize, "no memory for the dump");
        return false;
    }
    if (!ParseDump(text, &parsed, error, errorSize)) {
        FreeDump(&parsed);
        return false;
    }
    if (parsed.count == 0) {
        FormatWholeCharacters(error, errorSize, "no CPUID leaves in the dump");
        FreeDump(&parsed);
        return false;
    }
    parsed.cpuStarts[parsed.cpus] = parsed.count;
    FreeDump(&Recorded);
    Recorded = parsed;
    Processor = ReplayedProcessor;
    return true;
}

bool ReplayCpuidDump(const char* path, char* error, size_t errorSize) {
    FILE* file = fopen(path, "rb");
    if (!file) {
        FormatWholeCharacters(error, errorSize, "cannot open %s", path);
        return false;
    }
    // Server dumps run to a few megabytes; the pages are the system's,
    // so the resident program keeps no buffer for it.
    const long limit = 32 * 1024 * 1024;
    long size = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
    rewind(file);
    if (size < 0 || size >= limit) {
        fclose(file);
        FormatWholeCharacters(error, errorSize, "%s is too large for a CPUID dump", path);
        return false;
    }
    char* text = (char*)VirtualAlloc(NULL, (size_t)size + 1, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!text) {
        fclose(file);
        FormatWholeCharacters(error, errorSize, "no memory to read %s", path);
        return false;
    }
    size_t length = fread(text, 1, (size_t)size, file);
    fclose(file);
    bool replayed = false;
    if (length != (size_t)size) FormatWholeCharacters(error, errorSize, "cannot read %s", path);
    else if (memchr(text, '\0', length)) FormatWholeCharacters(error, errorSize, "%s holds binary data, not a CPUID dump", path);
    else {
        text[length] = '\0';
        replayed = ReplayCpuidText(text, error, errorSize);
    }
    VirtualFree(text, 0, MEM_RELEASE);
    return replayed;
}
