// swaypix.exe is copied alone onto users' machines: it may import nothing
// but DLLs that every Windows has. Not even all of those: the report loads
// iphlpapi, winmm and powrprof from the system folder while it runs, and
// the set-up dialog and the About box load the shell and COM, which a
// resident instance started from a shortcut never needs.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/pe_imports.h"
#include "tests/support/program_driver.h"

TEST(Imports, OnlyWindowsOwnDllsThatEveryStartNeeds) {
    const char* allowed[] = {"kernel32.dll", "user32.dll",   "gdi32.dll",  "advapi32.dll",
                             "msvcrt.dll",   "comctl32.dll", "version.dll"};
    std::string exe = BuiltProgramPath("swaypix.exe");
    std::vector<std::string> imports = ReadImportedDlls(exe.c_str());
    ASSERT_FALSE(imports.empty()) << exe << ": no import read";
    for (const std::string& dll : imports) {
        bool known = false;
        for (const char* name : allowed) known = known || lstrcmpiA(dll.c_str(), name) == 0;
        EXPECT_TRUE(known) << dll;
    }
}
