#include "tests/support/pe_imports.h"

#include <windows.h>

#include <cstdio>

static std::vector<unsigned char> ReadWholeFile(const char* path) {
    std::vector<unsigned char> bytes;
    FILE* f = fopen(path, "rb");
    if (!f) return bytes;
    unsigned char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    fclose(f);
    return bytes;
}

// File offset of a relative virtual address, or 0 if no section holds it.
static size_t OffsetOfRva(const std::vector<unsigned char>& image, const IMAGE_NT_HEADERS32* nt, DWORD rva) {
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if ((const unsigned char*)(section + 1) > image.data() + image.size()) return 0;
        DWORD size = section->Misc.VirtualSize ? section->Misc.VirtualSize : section->SizeOfRawData;
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size)
            return rva - section->VirtualAddress + section->PointerToRawData;
    }
    return 0;
}

std::vector<std::string> ReadImportedDlls(const char* path) {
    std::vector<std::string> names;
    std::vector<unsigned char> image = ReadWholeFile(path);
    if (image.size() < sizeof(IMAGE_DOS_HEADER)) return names;
    const IMAGE_DOS_HEADER* dos = (const IMAGE_DOS_HEADER*)image.data();
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || (size_t)dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32) > image.size())
        return names;
    const IMAGE_NT_HEADERS32* nt = (const IMAGE_NT_HEADERS32*)(image.data() + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        return names;
    DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    size_t offset = OffsetOfRva(image, nt, importRva);
    while (offset && offset + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= image.size()) {
        const IMAGE_IMPORT_DESCRIPTOR* entry = (const IMAGE_IMPORT_DESCRIPTOR*)(image.data() + offset);
        if (entry->Name == 0) break;
        size_t nameOffset = OffsetOfRva(image, nt, entry->Name);
        std::string name;
        while (nameOffset && nameOffset < image.size() && image[nameOffset]) name += (char)image[nameOffset++];
        names.push_back(name);
        offset += sizeof(IMAGE_IMPORT_DESCRIPTOR);
    }
    return names;
}
