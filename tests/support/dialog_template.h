// A dialog resource of the built swaypix.exe as it is stored there: an
// extended template, read field by field.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct ControlTemplate {
    DWORD exStyle, style;
    short x, y, cx, cy;
    DWORD id;
    std::wstring className;  // predefined ordinals come out as names
    std::wstring title;
};

struct DialogTemplate {
    DWORD exStyle, style;
    short x, y, cx, cy;
    std::wstring caption;
    WORD pointSize, weight;
    BYTE italic, charset;
    std::wstring face;
    std::vector<ControlTemplate> controls;
};

// Resource `id` in `language` (a primary language; the default sublanguage).
bool LoadDialogTemplate(int id, WORD language, DialogTemplate* out);
