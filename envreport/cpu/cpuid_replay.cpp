#include "envreport/cpu/cpuid_replay.h"

#include <windows.h>

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
    unsigned cpuCapacity;  // CPU starts, the end mark aside
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

// No line shorter than these holds a leaf ("CPUID 00000000:0-0-0-0") or
// a CPU header ("CPU:"), so the text's length bounds both arrays however
// many blank lines it has.
static const size_t ShortestLeafLine = 22;
static const size_t ShortestCpuHeader = 4;

// Room for every leaf and CPU start the text can hold, and the end mark;
// the system's pages, not the stack or the resident heap. Pages never
// written are never backed.
static bool AllocateDump(RecordedDump* dump, size_t length) {
    size_t leaves = length / (ShortestLeafLine + 1) + 1;
    size_t cpus = length / (ShortestCpuHeader + 1) + 2;
    size_t size = leaves * sizeof(RecordedLeaf) + cpus * sizeof(unsigned);
    void* block = VirtualAlloc(NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!block) return false;
    dump->leaves = (RecordedLeaf*)block;
    dump->capacity = (unsigned)leaves;
    dump->cpuStarts = (unsigned*)(dump->leaves + leaves);
    dump->cpuCapacity = (unsigned)cpus - 1;
    dump->count = 0;
    dump->cpus = 0;
    return true;
}

static void FreeDump(RecordedDump* dump) {
    if (dump->leaves) VirtualFree(dump->leaves, 0, MEM_RELEASE);
    *dump = RecordedDump();
}

static void ClearDump(RecordedDump* dump) {
    dump->count = 0;
    dump->cpus = 0;
}

static bool StartCpu(RecordedDump* dump) {
    if (dump->cpus >= dump->cpuCapacity) return false;
    dump->cpuStarts[dump->cpus++] = dump->count;
    return true;
}

static bool AddLeaf(RecordedDump* dump, const RecordedLeaf& leaf) {
    if (dump->cpus == 0 && !StartCpu(dump)) return false;
    if (dump->count >= dump->capacity) return false;
    dump->leaves[dump->count++] = leaf;
    return true;
}

static int HexDigit(char c) {
    unsigned digit = (unsigned)(c - '0');
    if (digit < 10) return (int)digit;
    unsigned letter = (unsigned)((c | 0x20) - 'a');
    return letter < 6 ? (int)letter + 10 : -1;
}

static bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

static const char* SkipBlanks(const char* text) {
    while (IsBlank(*text)) ++text;
    return text;
}

// One to eight hex digits at *at, not followed by another.
static bool ReadHex(const char** at, uint32_t* value) {
    const char* p = *at;
    uint32_t number = 0;
    int digits = 0;
    for (int d; digits < 8 && (d = HexDigit(*p)) >= 0; ++p, ++digits) number = number << 4 | (uint32_t)d;
    if (digits == 0 || HexDigit(*p) >= 0) return false;
    *value = number;
    *at = p;
    return true;
}

// `word` at *at, compared byte by byte so that nothing past the text's
// end is read.
static bool ReadWord(const char** at, const char* word) {
    const char* p = *at;
    for (; *word; ++word, ++p)
        if (*p != *word) return false;
    *at = p;
    return true;
}

static bool IsLineEnd(char c) {
    return c == '\0' || c == '\r' || c == '\n';
}

static const char* LineEnd(const char* line) {
    while ((unsigned char)*line > '\r' || !IsLineEnd(*line)) ++line;
    return line;
}

static const char* NextLineStart(const char* lineEnd) {
    if (*lineEnd == '\r') ++lineEnd;
    if (*lineEnd == '\n') ++lineEnd;
    return lineEnd;
}

static const char* const RawRegisterNames[] = {"eax=0x", "ebx=0x", "ecx=0x", "edx=0x"};

// "   0x00000001 0x00: eax=0x... ebx=0x... ecx=0x... edx=0x..." and only
// blanks after; *at moves to the line end.
static bool ParseRawLine(const char** at, RecordedLeaf* out) {
    const char* p = SkipBlanks(*at);
    RecordedLeaf leaf;
    if (!ReadWord(&p, "0x") || !ReadHex(&p, &leaf.leaf)) return false;
    p = SkipBlanks(p);
    if (!ReadWord(&p, "0x") || !ReadHex(&p, &leaf.subleaf) || *p++ != ':') return false;
    uint32_t* registers[] = {&leaf.registers.eax, &leaf.registers.ebx, &leaf.registers.ecx, &leaf.registers.edx};
    for (int i = 0; i < 4; ++i) {
        p = SkipBlanks(p);
        if (!ReadWord(&p, RawRegisterNames[i]) || !ReadHex(&p, registers[i])) return false;
    }
    p = SkipBlanks(p);
    if (!IsLineEnd(*p)) return false;
    *out = leaf;
    *at = p;
    return true;
}

// Exactly "CPU:" or "CPU 3:".
static bool IsCpuHeader(const char* line, const char* end) {
    if (!ReadWord(&line, "CPU")) return false;
    if (*line == ' ') {
        const char* digits = ++line;
        while ((unsigned)(*line - '0') < 10) ++line;
        if (line == digits) return false;
    }
    return *line == ':' && line + 1 == end;
}

// "CPUID 00000004: FC004121-02C0003F-0000003F-00000000 [SL 00] ...": the
// colon sometimes blanks, a tab, or a blank and the colon, and the
// registers sometimes all apart by blanks instead of dashes. Without
// "[SL nn]", *hasSubleaf is false.
static bool ParsePublishedLine(const char** at, RecordedLeaf* out, bool* hasSubleaf) {
    const char* p = *at;
    uint32_t v[5];
    if (!ReadWord(&p, "CPUID ")) return false;
    const char* leafStart = p;
    if (!ReadHex(&p, v) || p - leafStart != 8) return false;
    while (*p == ':' || IsBlank(*p)) ++p;
    if (!ReadHex(&p, v + 1)) return false;
    bool dashes = *p == '-';
    for (int i = 2; i < 5; ++i) {
        if (dashes ? *p != '-' : !IsBlank(*p)) return false;
        p = dashes ? p + 1 : SkipBlanks(p);
        if (!ReadHex(&p, v + i)) return false;
    }
    const char* tag = SkipBlanks(p);
    uint32_t subleaf = 0;
    *hasSubleaf = ReadWord(&tag, "[SL") && (tag = SkipBlanks(tag), ReadHex(&tag, &subleaf)) && *tag == ']';
    // A tag cut short after its number still gives the number, as it
    // always has.
    *out = {v[0], subleaf, {v[1], v[2], v[3], v[4]}};
    *at = p;
    return true;
}

// `cpuid -r` output, every "CPU n:" block; `firstLine` numbers the
// text's first line in the file. A line is read once: a leaf where it
// stands, anything else up to its end.
static bool ParseRawDump(const char* text, int firstLine, RecordedDump* dump, char* error, size_t errorSize) {
    const size_t longestLine = 255;
    for (int number = firstLine; *text; ++number) {
        const char* line = text;
        const char* end = line;
        RecordedLeaf leaf;
        bool isLeaf = dump->cpus > 0 && ParseRawLine(&end, &leaf);
        if (!isLeaf) end = LineEnd(line);
        text = NextLineStart(end);
        size_t length = (size_t)(end - line);
        if (length > longestLine) {
            FormatWholeCharacters(error, errorSize, "line %d: too long for a CPUID dump line", number);
            return false;
        }
        bool isHeader = !isLeaf && IsCpuHeader(line, end);
        if (!isLeaf && !isHeader && !IsLineEnd(*SkipBlanks(line))) {
            FormatWholeCharacters(error, errorSize, "line %d: not a line of `cpuid -r -1` output: %.*s", number,
                                  (int)(length < 60 ? length : 60), line);
            return false;
        }
        if ((isLeaf && !AddLeaf(dump, leaf)) || (isHeader && !StartCpu(dump))) {
            FormatWholeCharacters(error, errorSize, "line %d: more CPUID leaves than the dump has room for", number);
            return false;
        }
    }
    return true;
}

// The published layouts: other lines are ignored, each leaf-0 line starts
// a CPU, and repeated lines of one leaf without "[SL nn]" are its
// sub-leaves 0, 1, 2, ...
static bool ParsePublishedDump(const char* text, RecordedDump* dump) {
    RecordedLeaf previous = {0xFFFFFFFF, 0, {}};
    for (const char* line = text; *line; line = NextLineStart(LineEnd(line))) {
        RecordedLeaf leaf;
        bool hasSubleaf = false;
        if (!ParsePublishedLine(&line, &leaf, &hasSubleaf)) continue;
        if (leaf.leaf == 0 && (!hasSubleaf || leaf.subleaf == 0)) {
            if (!StartCpu(dump)) return false;
        } else if (!hasSubleaf && leaf.leaf == previous.leaf) {
            leaf.subleaf = previous.subleaf + 1;
        }
        if (!AddLeaf(dump, leaf)) return false;
        previous = leaf;
    }
    return true;
}

// The raw block's heading in the report's three encodings: English, and
// Japanese in code page 932 and in UTF-8.
static const char* const RawBlockHeadings[] = {
    "[CPUID Raw Data]",
    "[CPUID\x90\xb6\x83\x66\x81\x5b\x83\x5e]",
    "[CPUID\xe7\x94\x9f\xe3\x83\x87\xe3\x83\xbc\xe3\x82\xbf]",
};

// The line number of `at`, counting line ends as NextLineStart does.
static int LineNumberAt(const char* text, const char* at) {
    int number = 1;
    for (const char* c = text; c < at; ++c) number += *c == '\n' || (*c == '\r' && c[1] != '\n');
    return number;
}

static bool IsRawBlockHeading(const char* at) {
    for (const char* heading : RawBlockHeadings)
        if (ReadWord(&at, heading)) return true;
    return false;
}

// Where a saved report's raw block begins (after its heading line), and
// that line's number; NULL when the text is no report. A single pass,
// comparing only where a "[" stands.
static const char* RawBlockOfReport(const char* text, int* firstLine) {
    for (const char* at = text; *at; ++at) {
        if (*at != '[' || !IsRawBlockHeading(at)) continue;
        *firstLine = LineNumberAt(text, at) + 1;
        return NextLineStart(LineEnd(at));
    }
    return NULL;
}

// `cpuid -r` output starts with its first "CPU n:" line.
static bool StartsAsRawDump(const char* text) {
    while (*text && IsLineEnd(*SkipBlanks(text))) text = NextLineStart(LineEnd(text));
    return IsCpuHeader(text, LineEnd(text));
}

// The layout the text looks like is tried first, then the others; when
// none holds a leaf, the first one's error stands.
static bool ParseDump(const char* text, RecordedDump* dump, char* error, size_t errorSize) {
    char later[8];
    bool tried = StartsAsRawDump(text);
    if (tried && ParseRawDump(text, 1, dump, error, errorSize)) return true;
    int firstLine = 1;
    const char* rawBlock = RawBlockOfReport(text, &firstLine);
    if (rawBlock) {
        ClearDump(dump);
        if (ParseRawDump(rawBlock, firstLine, dump, tried ? later : error, tried ? sizeof later : errorSize))
            return true;
        tried = true;
    }
    ClearDump(dump);
    if (ParsePublishedDump(text, dump) && dump->count > 0) return true;
    ClearDump(dump);
    if (tried) return false;
    return ParseRawDump(text, 1, dump, error, errorSize);
}

static bool ReplayCpuidBytes(const char* text, size_t length, char* error, size_t errorSize) {
    RecordedDump parsed = RecordedDump();
    if (!AllocateDump(&parsed, length)) {
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

bool ReplayCpuidText(const char* text, char* error, size_t errorSize) {
    return ReplayCpuidBytes(text, strlen(text), error, errorSize);
}

// Four bytes at a time: a word holds a zero byte exactly when the sum
// below has a high bit that the word lacks.
static bool HoldsNul(const char* text, size_t length) {
    size_t at = 0;
    for (; at + 4 <= length; at += 4) {
        uint32_t word;
        memcpy(&word, text + at, 4);
        if ((word - 0x01010101u) & ~word & 0x80808080u) return true;
    }
    for (; at < length; ++at)
        if (text[at] == '\0') return true;
    return false;
}

static bool ReadDumpFile(HANDLE file, const char* path, char* error, size_t errorSize) {
    // Server dumps run to a few megabytes; the pages are the system's,
    // so the resident program keeps no buffer for it.
    const LONGLONG limit = 32 * 1024 * 1024;
    LARGE_INTEGER size;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        FormatWholeCharacters(error, errorSize, "%s cannot be read as a file", path);
        return false;
    }
    if (size.QuadPart >= limit) {
        FormatWholeCharacters(error, errorSize, "%s is too large for a CPUID dump", path);
        return false;
    }
    DWORD length = (DWORD)size.QuadPart;
    char* text = (char*)VirtualAlloc(NULL, (size_t)length + 1, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!text) {
        FormatWholeCharacters(error, errorSize, "no memory to read %s", path);
        return false;
    }
    DWORD read = 0;
    bool replayed = false;
    if (!ReadFile(file, text, length, &read, NULL) || read != length)
        FormatWholeCharacters(error, errorSize, "cannot read %s", path);
    else if (HoldsNul(text, length))
        FormatWholeCharacters(error, errorSize, "%s holds binary data, not a CPUID dump", path);
    else {
        text[length] = '\0';
        replayed = ReplayCpuidBytes(text, length, error, errorSize);
    }
    VirtualFree(text, 0, MEM_RELEASE);
    return replayed;
}

bool ReplayCpuidDump(const char* path, char* error, size_t errorSize) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        FormatWholeCharacters(error, errorSize, "cannot open %s", path);
        return false;
    }
    bool replayed = ReadDumpFile(file, path, error, errorSize);
    CloseHandle(file);
    return replayed;
}
