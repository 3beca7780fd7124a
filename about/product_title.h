// The product, version and build line the About box shows and the
// report prints on its client line.
#pragma once
#include <cstddef>

const size_t ProductTitleLineSize = 264;

// Empty until the About box (or the report tool) has written it.
extern char ProductTitleLine[ProductTitleLineSize];

// The texts of the version resource's 041104b0 table that the box uses;
// a missing one reads as the empty text.
struct ProductVersionTexts {
    char fileVersion[64];
    char specialBuild[64];
    char privateBuild[64];
    char legalCopyright[264];
};

// "SWAYPIX ver.2.15.03  [2012/07/08] (x86) " from "2.1.5.3": the second
// and third numbers run together, the fourth has two digits, missing
// numbers read as 0. In Japanese "beta" and "alpha" become β and α.
// A line too long for the buffer is cut at a character edge.
void FormatProductTitleLine(char (&line)[ProductTitleLineSize], const char* productName,
                            const ProductVersionTexts& texts, bool japanese);

// Writes ProductTitleLine from the own version resource; false (line left
// as it was) when there is none.
bool UpdateProductTitleLine(const char* productName, bool japanese, ProductVersionTexts* texts);
