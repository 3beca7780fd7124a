// Reading a number the way the C library's atoi does, soundly.
#pragma once

// The C library's atoi rules (leading white space, one optional sign,
// decimal digits up to the first other character, no digits -> 0), but an
// out-of-range number clamps to INT_MIN/INT_MAX instead of being undefined.
int ParseIntLikeAtoi(const char* text);
