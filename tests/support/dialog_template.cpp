#include "tests/support/dialog_template.h"

#include "tests/support/program_driver.h"

static const WORD* ReadSzOrOrd(const WORD* p, std::wstring* out) {
    if (*p == 0xFFFF) {
        static const wchar_t* names[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
        WORD ordinal = p[1];
        *out = ordinal >= 0x80 && ordinal <= 0x85 ? names[ordinal - 0x80] : L"#?";
        return p + 2;
    }
    out->assign((const wchar_t*)p);
    return p + out->size() + 1;
}

static const WORD* AlignDword(const WORD* p, const BYTE* base) {
    size_t offset = (const BYTE*)p - base;
    return (const WORD*)(base + ((offset + 3) & ~(size_t)3));
}

bool LoadDialogTemplate(int id, WORD language, DialogTemplate* out) {
    std::string exe = BuiltProgramPath("swaypix.exe");
    HMODULE module = LoadLibraryExA(exe.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC resource = FindResourceExA(module, (LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(id), MAKELANGID(language, SUBLANG_DEFAULT));
    if (!resource) return false;
    const BYTE* base = (const BYTE*)LockResource(LoadResource(module, resource));
    const WORD* p = (const WORD*)base;
    if (p[0] != 1 || p[1] != 0xFFFF) return false;  // an extended template
    const DWORD* d = (const DWORD*)(p + 2);
    out->exStyle = d[1];
    out->style = d[2];
    p = (const WORD*)(d + 3);
    WORD count = *p++;
    out->x = (short)*p++;
    out->y = (short)*p++;
    out->cx = (short)*p++;
    out->cy = (short)*p++;
    std::wstring menu, windowClass;
    p = ReadSzOrOrd(p, &menu);
    p = ReadSzOrOrd(p, &windowClass);
    p = ReadSzOrOrd(p, &out->caption);
    out->pointSize = *p++;
    out->weight = *p++;
    out->italic = *(const BYTE*)p;
    out->charset = *((const BYTE*)p + 1);
    ++p;
    p = ReadSzOrOrd(p, &out->face);
    for (WORD i = 0; i < count; ++i) {
        p = AlignDword(p, base);
        ControlTemplate c;
        const DWORD* cd = (const DWORD*)p;
        c.exStyle = cd[1];
        c.style = cd[2];
        const short* rect = (const short*)(cd + 3);
        c.x = rect[0];
        c.y = rect[1];
        c.cx = rect[2];
        c.cy = rect[3];
        c.id = *(const DWORD*)(rect + 4);
        p = (const WORD*)(rect + 6);
        p = ReadSzOrOrd(p, &c.className);
        p = ReadSzOrOrd(p, &c.title);
        WORD extra = *p++;
        p = (const WORD*)((const BYTE*)p + extra);
        out->controls.push_back(c);
    }
    FreeLibrary(module);
    return true;
}
