// Both programs are copied alone onto users' machines, most often into a
// download folder: they may import only KnownDLLs, which Windows takes from
// the system folder whatever lies beside the program. The rest is loaded
// by full path from the system folder when first needed.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/pe_imports.h"
#include "tests/support/program_driver.h"

TEST(Imports, OnlyKnownDllsAndNeitherShellNorComForTheResidentProgram) {
    const char* knownDlls[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                               "msvcrt.dll",   "shell32.dll", "ole32.dll"};
    for (const char* program : {"swaypix.exe", "swaypix-report.exe"}) {
        std::vector<std::string> imports = ReadImportedDlls(BuiltProgramPath(program).c_str());
        ASSERT_FALSE(imports.empty()) << program;
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
