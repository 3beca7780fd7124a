// Both programs are copied alone onto users' machines, most often into a
// download folder: they may import only KnownDLLs, which Windows takes from
// the system folder whatever lies beside the program. The rest is loaded
// by full path from the system folder when first needed. A delayed import
// is loaded by bare name, beside the program first: it counts the same.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "tests/support/pe_imports.h"
#include "tests/support/program_driver.h"
#include "tests/support/test_files.h"

TEST(Imports, OnlyKnownDllsAndNeitherShellNorComForTheResidentProgram) {
    const char* knownDlls[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                               "msvcrt.dll",   "shell32.dll", "ole32.dll"};
    for (const char* program : {"swaypix.exe", "swaypix-report.exe"}) {
        std::vector<std::string> imports = ReadImportedDlls(BuiltProgramPath(program).c_str());
        ASSERT_FALSE(imports.empty()) << program;
        for (const std::string& dll : ReadDelayImportedDlls(BuiltProgramPath(program).c_str()))
            imports.push_back(dll);
        for (const std::string& dll : imports) {
            bool known = false;
            for (const char* k : knownDlls) known = known || lstrcmpiA(dll.c_str(), k) == 0;
            EXPECT_TRUE(known) << program << " imports " << dll;
            // They cost a resident instance megabytes it never uses.
            for (const char* loadedWhenNeeded : {"shell32.dll", "ole32.dll"})
                EXPECT_NE(0, lstrcmpiA(dll.c_str(), loadedWhenNeeded)) << program << " imports " << dll;
        }
    }
}

// A smallest image with two delayed imports, one entry of each kind the
// linkers write: relative (msimg32) and, the oldest, absolute (uxtheme).
TEST(Imports, DelayedImportsOfBothEntryKindsAreRead) {
    const DWORD imageBase = 0x400000, sectionRva = 0x1000, fileAlignment = 0x200;
    std::vector<unsigned char> image(2 * fileAlignment);
    IMAGE_DOS_HEADER* dos = (IMAGE_DOS_HEADER*)image.data();
    dos->e_magic = IMAGE_DOS_SIGNATURE;
    dos->e_lfanew = sizeof *dos;
    IMAGE_NT_HEADERS32* nt = (IMAGE_NT_HEADERS32*)(image.data() + dos->e_lfanew);
    nt->Signature = IMAGE_NT_SIGNATURE;
    nt->FileHeader.NumberOfSections = 1;
    nt->FileHeader.SizeOfOptionalHeader = sizeof nt->OptionalHeader;
    nt->OptionalHeader.Magic = IMAGE_NT_OPTIONAL_HDR32_MAGIC;
    nt->OptionalHeader.ImageBase = imageBase;
    nt->OptionalHeader.NumberOfRvaAndSizes = IMAGE_NUMBEROF_DIRECTORY_ENTRIES;
    nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT] = {sectionRva, 3 * 32};
    IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    section->VirtualAddress = sectionRva;
    section->Misc.VirtualSize = section->SizeOfRawData = fileAlignment;
    section->PointerToRawData = fileAlignment;
    IMAGE_DELAYLOAD_DESCRIPTOR* entries = (IMAGE_DELAYLOAD_DESCRIPTOR*)(image.data() + fileAlignment);
    entries[0].Attributes.AllAttributes = 1;
    entries[0].DllNameRVA = sectionRva + 0x100;
    entries[1].DllNameRVA = imageBase + sectionRva + 0x110;
    strcpy((char*)image.data() + fileAlignment + 0x100, "msimg32.dll");
    strcpy((char*)image.data() + fileAlignment + 0x110, "uxtheme.dll");
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "delayed_imports.dll";
    ASSERT_TRUE(WriteTextFile(path, std::string(image.begin(), image.end())));
    EXPECT_EQ((std::vector<std::string>{"msimg32.dll", "uxtheme.dll"}), ReadDelayImportedDlls(path.c_str()));
    EXPECT_EQ(std::vector<std::string>{}, ReadImportedDlls(path.c_str()));
    DeleteFileA(path.c_str());
}
