#include "tests/support/input_mutations.h"

#include <cstring>

uint32_t NextRandom(FuzzRandom& random) {
    uint64_t x = random.state ? random.state : 1;
    x ^= x >> 12;
    x ^= x << 25;
    x ^= x >> 27;
    random.state = x;
    return (uint32_t)((x * 0x2545F4914F6CDD1DULL) >> 32);
}

size_t RandomBelow(FuzzRandom& random, size_t bound) {
    return bound ? NextRandom(random) % bound : 0;
}

static char RandomOf(FuzzRandom& random, const char* choices, size_t count) {
    return choices[RandomBelow(random, count)];
}

void FlipBits(FuzzRandom& random, std::string& bytes) {
    for (size_t flips = 1 + RandomBelow(random, 8); flips > 0 && !bytes.empty(); --flips)
        bytes[RandomBelow(random, bytes.size())] ^= (char)(1 << RandomBelow(random, 8));
}

// Bytes that mean something to a reader of dumps, a NUL among them.
static const char TellingBytes[] = "\r\n:-= x0F9[]\t";

void InsertBytes(FuzzRandom& random, std::string& bytes) {
    size_t at = RandomBelow(random, bytes.size() + 1);
    for (size_t count = 1 + RandomBelow(random, 8); count > 0; --count) {
        char byte = RandomBelow(random, 2) ? RandomOf(random, TellingBytes, sizeof TellingBytes)
                                           : (char)NextRandom(random);
        bytes.insert(bytes.begin() + at, byte);
    }
}

void DeleteBytes(FuzzRandom& random, std::string& bytes) {
    if (bytes.empty()) return;
    size_t at = RandomBelow(random, bytes.size());
    bytes.erase(at, 1 + RandomBelow(random, 16));
}

// Cut at, or just after, a random occurrence of one of these; anywhere
// when the text has none.
static const char* const CutPlaces[] = {"\n", "\r", ":", "0x", "=", "-", " ", "[", "]", "CPU", "CPUID ", "eax", "\t"};

void Truncate(FuzzRandom& random, std::string& bytes) {
    size_t cut = RandomBelow(random, bytes.size() + 1);
    const char* place = CutPlaces[RandomBelow(random, sizeof CutPlaces / sizeof CutPlaces[0])];
    size_t found = bytes.find(place, cut);
    if (found == std::string::npos) found = bytes.find(place);
    if (found != std::string::npos) cut = found + RandomBelow(random, strlen(place) + 1);
    bytes.resize(cut);
}

void Lengthen(FuzzRandom& random, std::string& bytes, size_t most) {
    bool zeros = RandomBelow(random, 2) == 0;
    for (size_t count = RandomBelow(random, most + 1); count > 0; --count)
        bytes += zeros ? '\0' : (char)NextRandom(random);
}

static size_t LineEndAfter(const std::string& text, size_t at) {
    size_t end = text.find_first_of("\r\n", at);
    return end == std::string::npos ? text.size() : end;
}

static size_t NextLine(const std::string& text, size_t at) {
    size_t end = LineEndAfter(text, at);
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    return end;
}

static std::vector<size_t> LineStarts(const std::string& text) {
    std::vector<size_t> starts;
    for (size_t at = 0; at < text.size(); at = NextLine(text, at)) starts.push_back(at);
    starts.push_back(text.size());
    return starts;
}

static size_t RandomLineStart(FuzzRandom& random, const std::string& text) {
    std::vector<size_t> starts = LineStarts(text);
    return starts[RandomBelow(random, starts.size())];
}

static void SpliceLines(FuzzRandom& random, std::string& text, const std::vector<std::string>& others) {
    if (others.empty()) return;
    const std::string& other = others[RandomBelow(random, others.size())];
    size_t from = RandomLineStart(random, other), to = from;
    for (size_t lines = 1 + RandomBelow(random, 20); lines > 0 && to < other.size(); --lines) to = NextLine(other, to);
    text.insert(RandomLineStart(random, text), other, from, to - from);
}

// Any line that holds no leaf: CPU headers, report headings, published
// headers of every kind.
static bool IsHeaderLine(const std::string& text, size_t at) {
    return text.compare(at, 6, "CPUID ") != 0 && text.compare(at, 5, "   0x") != 0 && LineEndAfter(text, at) > at;
}

static size_t RandomHeaderLine(FuzzRandom& random, const std::string& text) {
    std::vector<size_t> headers;
    for (size_t at : LineStarts(text))
        if (IsHeaderLine(text, at)) headers.push_back(at);
    return headers.empty() ? std::string::npos : headers[RandomBelow(random, headers.size())];
}

static void DoubleAHeader(FuzzRandom& random, std::string& text, const std::vector<std::string>&) {
    size_t header = RandomHeaderLine(random, text);
    if (header == std::string::npos) return;
    std::string line = text.substr(header, NextLine(text, header) - header);
    text.insert(RandomBelow(random, 2) ? header : RandomLineStart(random, text), line);
}

static void DropAHeader(FuzzRandom& random, std::string& text, const std::vector<std::string>&) {
    size_t header = RandomHeaderLine(random, text);
    if (header != std::string::npos) text.erase(header, NextLine(text, header) - header);
}

// Around the longest line the replay reads, and far beyond.
static const size_t LongRuns[] = {200, 255, 256, 257, 1000, 4096, 70000};

static void LengthenALine(FuzzRandom& random, std::string& text, const std::vector<std::string>&) {
    static const char Fill[] = " 0Fx-\t:";
    size_t length = LongRuns[RandomBelow(random, sizeof LongRuns / sizeof LongRuns[0])];
    text.insert(RandomBelow(random, text.size() + 1), length, RandomOf(random, Fill, sizeof Fill - 1));
}

static bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

static const char* const HugeNumbers[] = {"FFFFFFFFF", "100000000", "0000000000000000001", "4294967296",
                                          "99999999999999999999", "ffffffffffffffffffffffffffffffffffffffff"};

// A run of digits from a random place on becomes a number too big for
// 32 bits, or a longer spelling of a small one.
static void MakeANumberHuge(FuzzRandom& random, std::string& text, const std::vector<std::string>&) {
    size_t at = RandomBelow(random, text.size());
    while (at < text.size() && !IsHexDigit(text[at])) ++at;
    size_t end = at;
    while (end < text.size() && IsHexDigit(text[end])) ++end;
    text.replace(at, end - at, HugeNumbers[RandomBelow(random, sizeof HugeNumbers / sizeof HugeNumbers[0])]);
}

static const char* const LineEnds[] = {"\r", "\n", "\r\n"};

std::string WithLineEnds(const std::string& text, const char* lineEnd) {
    std::string changed;
    changed.reserve(text.size() + text.size() / 16);
    for (size_t at = 0; at < text.size();) {
        size_t end = LineEndAfter(text, at);
        changed.append(text, at, end - at);
        if (end == text.size()) break;
        changed += lineEnd;
        at = NextLine(text, at);
    }
    return changed;
}

// All one kind, or each line its own.
static void ChangeLineEnds(FuzzRandom& random, std::string& text, const std::vector<std::string>&) {
    size_t kind = RandomBelow(random, 4);
    if (kind < 3) {
        text = WithLineEnds(text, LineEnds[kind]);
        return;
    }
    std::string mixed;
    for (size_t at = 0; at < text.size(); at = NextLine(text, at))
        mixed += text.substr(at, LineEndAfter(text, at) - at) + LineEnds[RandomBelow(random, 3)];
    text = mixed;
}

typedef void (*TextMutation)(FuzzRandom& random, std::string& text, const std::vector<std::string>& others);

static const TextMutation TextMutations[] = {
    [](FuzzRandom& r, std::string& t, const std::vector<std::string>&) { FlipBits(r, t); },
    [](FuzzRandom& r, std::string& t, const std::vector<std::string>&) { InsertBytes(r, t); },
    [](FuzzRandom& r, std::string& t, const std::vector<std::string>&) { DeleteBytes(r, t); },
    [](FuzzRandom& r, std::string& t, const std::vector<std::string>&) { Truncate(r, t); },
    SpliceLines,
    DoubleAHeader,
    DropAHeader,
    LengthenALine,
    MakeANumberHuge,
    ChangeLineEnds,
};

void MutateText(FuzzRandom& random, std::string& text, const std::vector<std::string>& others) {
    for (size_t count = 1 + RandomBelow(random, 4); count > 0; --count)
        TextMutations[RandomBelow(random, sizeof TextMutations / sizeof TextMutations[0])](random, text, others);
}
