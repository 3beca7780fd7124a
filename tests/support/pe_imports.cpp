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

static std::string NameAt(const std::vector<unsigned char>& image, size_t offset) {
    std::string name;
    while (offset && offset < image.size() && image[offset]) name += (char)image[offset++];
    return name;
}

// The names in one of the two import directories: the ordinary one, or the
// delayed one, whose entries of the oldest linkers hold addresses instead
// of relative ones.
static std::vector<std::string> ReadDllNames(const char* path, int directory) {
    std::vector<std::string> names;
    std::vector<unsigned char> image = ReadWholeFile(path);
    if (image.size() < sizeof(IMAGE_DOS_HEADER)) return names;
    const IMAGE_DOS_HEADER* dos = (const IMAGE_DOS_HEADER*)image.data();
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || (size_t)dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32) > image.size())
        return names;
    const IMAGE_NT_HEADERS32* nt = (const IMAGE_NT_HEADERS32*)(image.data() + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        return names;
    bool delayed = directory == IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT;
    size_t entrySize = delayed ? sizeof(IMAGE_DELAYLOAD_DESCRIPTOR) : sizeof(IMAGE_IMPORT_DESCRIPTOR);
    DWORD rva = nt->OptionalHeader.DataDirectory[directory].VirtualAddress;
    size_t offset = rva ? OffsetOfRva(image, nt, rva) : 0;
    for (; offset && offset + entrySize <= image.size(); offset += entrySize) {
        DWORD nameRva;
        if (delayed) {
            const IMAGE_DELAYLOAD_DESCRIPTOR* entry = (const IMAGE_DELAYLOAD_DESCRIPTOR*)(image.data() + offset);
            nameRva = entry->DllNameRVA;
            if (nameRva && !(entry->Attributes.AllAttributes & 1)) nameRva -= nt->OptionalHeader.ImageBase;
        } else {
            nameRva = ((const IMAGE_IMPORT_DESCRIPTOR*)(image.data() + offset))->Name;
        }
        if (nameRva == 0) break;
        names.push_back(NameAt(image, OffsetOfRva(image, nt, nameRva)));
    }
    return names;
}

std::vector<std::string> ReadImportedDlls(const char* path) {
    return ReadDllNames(path, IMAGE_DIRECTORY_ENTRY_IMPORT);
}

std::vector<std::string> ReadDelayImportedDlls(const char* path) {
    return ReadDllNames(path, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT);
}
