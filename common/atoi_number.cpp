#include "common/atoi_number.h"

#include <climits>

// One rule for byte and wide text; only the character type differs.
template <typename Char>
static bool IsAtoiSpace(Char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

template <typename Char>
static int ParseLikeAtoi(const Char* p) {
    while (IsAtoiSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    // Accumulate the magnitude; once it passes INT_MAX + 1 nothing more
    // can change the clamped result, so stop growing it.
    const long long limit = (long long)INT_MAX + 1;
    long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= limit) magnitude = magnitude * 10 + (*p - '0');
    }
    if (negative) return magnitude >= limit ? INT_MIN : (int)-magnitude;
    return magnitude > INT_MAX ? INT_MAX : (int)magnitude;
}

int ParseIntLikeAtoi(const char* text) {
    return ParseLikeAtoi(text);
}

int ParseWideIntLikeAtoi(const wchar_t* text) {
    return ParseLikeAtoi(text);
}
