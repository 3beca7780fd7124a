#include "envreport/cpu/cpuid_replay.h"

#include <windows.h>

#include <cstring>

#include "common/ansi_text.h"
#include "common/paths.h"
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

// A hex digit's value by byte, NotHex for every other byte.
static const uint8_t NotHex = 0x80;
struct HexTable {
    uint8_t value[256];
};
static constexpr HexTable MakeHexTable() {
    HexTable table = {};
    for (int c = 0; c < 256; ++c)
        table.value[c] = c >= '0' && c <= '9'   ? (uint8_t)(c - '0')
                         : c >= 'a' && c <= 'f' ? (uint8_t)(c - 'a' + 10)
                         : c >= 'A' && c <= 'F' ? (uint8_t)(c - 'A' + 10)
                                                : NotHex;
    return table;
}
static constexpr HexTable HexValues = MakeHexTable();

static int HexDigit(char c) {
    uint8_t value = HexValues.value[(uint8_t)c];
    return value == NotHex ? -1 : value;
}

// Exactly `digits` hex digits at `p`, all read before any is checked, so
// the caller has made sure they lie inside the text.
static bool ReadFixedHex(const char* p, int digits, uint32_t* value) {
    uint32_t number = 0, marks = 0;
    for (int i = 0; i < digits; ++i) {
        uint32_t digit = HexValues.value[(uint8_t)p[i]];
        marks |= digit;
        number = number << 4 | digit;
    }
    *value = number;
    return (marks & NotHex) == 0;
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

// Skips the aligned words at `at` that hold no byte below `below` and
// none equal to `equal`, four bytes at a time. An aligned word never
// straddles two pages, so nothing is read from a page the text does not
// reach.
static const char* SkipPlainWords(const char* at, uint32_t below, uint8_t equal) {
    if ((uintptr_t)at & 3) return at;
    const uint32_t ones = 0x01010101u, highs = 0x80808080u;
    for (;; at += 4) {
        uint32_t word;
        memcpy(&word, at, sizeof word);
        uint32_t matched = word ^ (ones * equal);
        if (((word - ones * below) & ~word & highs) | ((matched - ones) & ~matched & highs)) return at;
    }
}

// Where the line ends: its CR, LF or the text's NUL.
static const char* LineEnd(const char* line) {
    for (;; ++line) {
        line = SkipPlainWords(line, '\r' + 1, 0);
        if (IsLineEnd(*line)) return line;
    }
}

static const char* NextOf(const char* at, char c) {
    for (;; ++at) {
        at = SkipPlainWords(at, 1, (uint8_t)c);
        if (*at == c || *at == '\0') return at;
    }
}

static size_t TextLength(const char* text) {
    return (size_t)(NextOf(text, '\0') - text);
}

static const char* NextLineStart(const char* lineEnd) {
    if (*lineEnd == '\r') ++lineEnd;
    if (*lineEnd == '\n') ++lineEnd;
    return lineEnd;
}

static const char* const RawRegisterNames[] = {"eax=0x", "ebx=0x", "ecx=0x", "edx=0x"};

// The line as `cpuid -r` writes every one, of 79 characters:
// "   0x00000001 0x00: eax=0x... ebx=0x... ecx=0x... edx=0x...". Read by
// fixed offsets when the text holds that many bytes; *lineEnd moves past
// it.
static const size_t RawLineLength = 79;
static const int RawRegisterAt[4] = {26, 41, 56, 71};

static bool IsLiteralAt(const char* line, size_t at, const char* literal, size_t length) {
    return memcmp(line + at, literal, length) == 0;
}

static bool ParseWrittenRawLine(const char* line, const char* textEnd, RecordedLeaf* out, const char** lineEnd) {
    if ((size_t)(textEnd - line) < RawLineLength) return false;
    const char* end = line + RawLineLength;
    if (end != textEnd && *end != '\n' && *end != '\r') return false;
    if (!IsLiteralAt(line, 0, "   0x", 5) || !IsLiteralAt(line, 13, " 0x", 3) || !IsLiteralAt(line, 18, ": eax=0x", 8) ||
        !IsLiteralAt(line, 34, " ebx=0x", 7) || !IsLiteralAt(line, 49, " ecx=0x", 7) ||
        !IsLiteralAt(line, 64, " edx=0x", 7))
        return false;
    RecordedLeaf leaf;
    uint32_t* registers[] = {&leaf.registers.eax, &leaf.registers.ebx, &leaf.registers.ecx, &leaf.registers.edx};
    bool hex = ReadFixedHex(line + 5, 8, &leaf.leaf) & ReadFixedHex(line + 16, 2, &leaf.subleaf);
    for (int i = 0; i < 4; ++i) hex &= ReadFixedHex(line + RawRegisterAt[i], 8, registers[i]);
    if (!hex) return false;
    *out = leaf;
    *lineEnd = end;
    return true;
}

// "   0x00000001 0x00: eax=0x... ebx=0x... ecx=0x... edx=0x..." spaced
// and cased in any way, and only blanks after; *at moves to the line end.
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

// The registers of "CPUID 00000004: FC004121-02C0003F-0000003F-00000000",
// read by fixed offsets when the text holds them all and the character
// after them (the text's closing NUL at most) ends the number; *at moves
// past them.
static const size_t PublishedRegistersLength = 51;

static bool ReadWrittenPublishedRegisters(const char** at, const char* textEnd, uint32_t (&v)[5]) {
    const char* line = *at;
    if ((size_t)(textEnd - line) < PublishedRegistersLength) return false;
    if (!IsLiteralAt(line, 0, "CPUID ", 6) || !IsLiteralAt(line, 14, ": ", 2) || line[24] != '-' || line[33] != '-' ||
        line[42] != '-' || HexDigit(line[PublishedRegistersLength]) >= 0)
        return false;
    static const int RegisterAt[5] = {6, 16, 25, 34, 43};
    bool hex = true;
    for (int i = 0; i < 5; ++i) hex &= ReadFixedHex(line + RegisterAt[i], 8, &v[i]);
    if (hex) *at = line + PublishedRegistersLength;
    return hex;
}

// The same spaced and cased in any way.
static bool ReadPublishedRegisters(const char** at, uint32_t (&v)[5]) {
    const char* p = *at;
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
    *at = p;
    return true;
}

// "CPUID 00000004: FC004121-02C0003F-0000003F-00000000 [SL 00] ...": the
// colon sometimes blanks, a tab, or a blank and the colon, and the
// registers sometimes all apart by blanks instead of dashes. Without
// "[SL nn]", *hasSubleaf is false.
static bool ParsePublishedLine(const char** at, const char* textEnd, RecordedLeaf* out, bool* hasSubleaf) {
    const char* p = *at;
    uint32_t v[5];
    if (!ReadWrittenPublishedRegisters(&p, textEnd, v) && !ReadPublishedRegisters(&p, v)) return false;
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
static bool ParseRawDump(const char* text, const char* textEnd, int firstLine, RecordedDump* dump, char* error,
                         size_t errorSize) {
    const size_t longestLine = 255;
    for (int number = firstLine; *text; ++number) {
        const char* line = text;
        const char* end = line;
        RecordedLeaf leaf;
        bool isLeaf =
            dump->cpus > 0 && (ParseWrittenRawLine(line, textEnd, &leaf, &end) || ParseRawLine(&end, &leaf));
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
static bool ParsePublishedDump(const char* text, const char* textEnd, RecordedDump* dump) {
    RecordedLeaf previous = {0xFFFFFFFF, 0, {}};
    for (const char* line = text; *line; line = NextLineStart(LineEnd(line))) {
        RecordedLeaf leaf;
        bool hasSubleaf = false;
        if (!ParsePublishedLine(&line, textEnd, &leaf, &hasSubleaf)) continue;
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
    for (const char* at = NextOf(text, '['); *at; at = NextOf(at + 1, '[')) {
        if (!IsRawBlockHeading(at)) continue;
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
static bool ParseDump(const char* text, const char* end, RecordedDump* dump, char* error, size_t errorSize) {
    char later[8];
    bool tried = StartsAsRawDump(text);
    if (tried && ParseRawDump(text, end, 1, dump, error, errorSize)) return true;
    int firstLine = 1;
    const char* rawBlock = RawBlockOfReport(text, &firstLine);
    if (rawBlock) {
        ClearDump(dump);
        if (ParseRawDump(rawBlock, end, firstLine, dump, tried ? later : error, tried ? sizeof later : errorSize))
            return true;
        tried = true;
    }
    ClearDump(dump);
    if (ParsePublishedDump(text, end, dump) && dump->count > 0) return true;
    ClearDump(dump);
    if (tried) return false;
    return ParseRawDump(text, end, 1, dump, error, errorSize);
}

// `text` holds no NUL before text[length], which is one.
static bool ReplayCpuidBytes(const char* text, size_t length, char* error, size_t errorSize) {
    RecordedDump parsed = RecordedDump();
    if (!AllocateDump(&parsed, length)) {
        FormatWholeCharacters(error, errorSize, "no memory for the dump");
        return false;
    }
    if (!ParseDump(text, text + length, &parsed, error, errorSize)) {
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
    return ReplayCpuidBytes(text, TextLength(text), error, errorSize);
}

// A view of the file ends at a page's end and the system fills the rest
// of the last page with zeros, so the view itself is the text with its
// NUL unless the file fills its last page whole; then a copy of it is.
static const DWORD PageSize = 4096;

static const char* TextOfView(const char* view, DWORD length, char** copy) {
    *copy = NULL;
    if (length % PageSize != 0) return view;
    *copy = (char*)VirtualAlloc(NULL, (size_t)length + 1, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (*copy) memcpy(*copy, view, length);
    return *copy;
}

// Mapped rather than read: the pages are the file's, filled as the parser
// reaches them, and the resident program keeps no buffer for it.
static bool ReplayMappedFile(HANDLE file, DWORD length, const char* path, char* error, size_t errorSize) {
    HANDLE mapping = CreateFileMappingW(file, NULL, PAGE_READONLY, 0, 0, NULL);
    const char* view = mapping ? (const char*)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : NULL;
    char* copy = NULL;
    const char* text = view ? TextOfView(view, length, &copy) : NULL;
    bool replayed = false;
    if (!text)
        FormatWholeCharacters(error, errorSize, "cannot read %s", path);
    else if (TextLength(text) != length)
        FormatWholeCharacters(error, errorSize, "%s holds binary data, not a CPUID dump", path);
    else
        replayed = ReplayCpuidBytes(text, length, error, errorSize);
    if (copy) VirtualFree(copy, 0, MEM_RELEASE);
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    return replayed;
}

static bool ReadDumpFile(HANDLE file, const char* path, char* error, size_t errorSize) {
    // Server dumps run to a few megabytes.
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
    // An empty file has no view.
    if (size.QuadPart == 0) return ReplayCpuidBytes("", 0, error, errorSize);
    return ReplayMappedFile(file, (DWORD)size.QuadPart, path, error, errorSize);
}

bool ReplayCpuidDump(const wchar_t* path, char* error, size_t errorSize) {
    // Named in UTF-8 in the error: a dump's folder may have any characters.
    char shownPath[3 * PathBufferSize];
    NarrowText(CP_UTF8, path, shownPath, sizeof shownPath);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        FormatWholeCharacters(error, errorSize, "cannot open %s", shownPath);
        return false;
    }
    bool replayed = ReadDumpFile(file, shownPath, error, errorSize);
    CloseHandle(file);
    return replayed;
}
