// A text in both languages: `japanese` in code page 932, `english` ASCII.
#pragma once

struct LocalText {
    const char* japanese;
    const char* english;
};
