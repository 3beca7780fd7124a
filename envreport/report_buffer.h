// The growable text the environment report is written into, and its
// optional debug mirror.
#pragma once
#include <cstddef>

// A plain record: fields start at zero; Init once, Append many times,
// Free on every way out. Growth is exact, so the block never holds more
// than the text plus its terminator.
struct ReportBuffer {
    char* text;
    unsigned length;
    unsigned capacity;

    bool Init();
    // Both return the (possibly moved) block, or null when it could not
    // grow; the buffer then keeps everything it held.
    char* Append(const char* piece);
    char* Assign(const char* piece);
    // Formats one line with wsprintfA (at most 1024 characters) and
    // appends it.
    void AppendFormat(const char* format, ...);
    void Free();
};

const unsigned ReportFirstCapacity = 16384;
