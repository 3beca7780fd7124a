// Reading a number the way the C library's atoi does, soundly.
#pragma once

// The C library's atoi rules (leading white space, one optional sign,
// decimal digits up to the first other character, no digits -> 0), but an
// out-of-range number clamps to INT_MIN/INT_MAX instead of being undefined.
int ParseIntLikeAtoi(const char* text);

// The same for wide text: white space and digits are the ASCII ones only,
// as in byte text (a full-width blank or digit ends the number).
int ParseWideIntLikeAtoi(const wchar_t* text);
