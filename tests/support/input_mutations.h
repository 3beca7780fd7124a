// Seeded mutations of real inputs for the fuzzing runs: the same seed
// gives the same inputs on every machine.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// xorshift64*.
struct FuzzRandom {
    uint64_t state;
};
uint32_t NextRandom(FuzzRandom& random);
// 0 to bound - 1; 0 when bound is 0.
size_t RandomBelow(FuzzRandom& random, size_t bound);

// Byte mutations for any input.
void FlipBits(FuzzRandom& random, std::string& bytes);
void InsertBytes(FuzzRandom& random, std::string& bytes);
void DeleteBytes(FuzzRandom& random, std::string& bytes);
void Truncate(FuzzRandom& random, std::string& bytes);
// Appends up to `most` bytes, zeros or random.
void Lengthen(FuzzRandom& random, std::string& bytes, size_t most);

// One to four mutations of a text, line-aware ones among them: cuts at
// every kind of place, lines spliced in from `others`, headers doubled
// and dropped, long lines, huge numbers, line ends changed.
void MutateText(FuzzRandom& random, std::string& text, const std::vector<std::string>& others);

// Every line end of `text` made `lineEnd`.
std::string WithLineEnds(const std::string& text, const char* lineEnd);
