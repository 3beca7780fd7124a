// swaypix.exe is copied alone onto users' machines: it may import nothing
// but DLLs that every Windows has.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "tests/support/pe_imports.h"
#include "tests/support/program_driver.h"

TEST(Imports, OnlyWindowsOwnDlls) {
    const char* windowsDlls[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll",
                                 "advapi32.dll", "msvcrt.dll", "comctl32.dll", "version.dll",
                                 "iphlpapi.dll", "winmm.dll"};
    std::string exe = BuiltProgramPath("swaypix.exe");
    std::vector<std::string> imports = ReadImportedDlls(exe.c_str());
    ASSERT_FALSE(imports.empty()) << exe;
    for (const std::string& dll : imports) {
        bool known = false;
        for (const char* w : windowsDlls) known = known || lstrcmpiA(dll.c_str(), w) == 0;
        EXPECT_TRUE(known) << dll;
    }
}

// The report loads the first three from the system folder while it runs;
// the set-up dialog and the About box load the shell and COM, which a
// resident instance started from a shortcut never needs.
TEST(Imports, NotTheLibrariesLoadedWhenNeeded) {
    std::vector<std::string> imports = ReadImportedDlls(BuiltProgramPath("swaypix.exe").c_str());
    for (const std::string& dll : imports)
        for (const char* loaded : {"iphlpapi.dll", "winmm.dll", "powrprof.dll", "shell32.dll", "ole32.dll"})
            EXPECT_NE(0, lstrcmpiA(dll.c_str(), loaded)) << dll;
}
