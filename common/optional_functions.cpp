#include "common/optional_functions.h"

#include <powrprof.h>

#include <type_traits>

#include "common/system_folder.h"
#include "common/system_library.h"

enum LibraryLifetime {
    AlwaysLoaded,      // every process has it
    KeptOnceLoaded,    // loaded on first use for the rest of the process
    ReleasedAfterReport,
};

struct OptionalLibraryRow {
    const char* fileName;
    LibraryLifetime lifetime;
    // Loaded by its bare name with the system folder current, so the
    // manifest's side-by-side version (common controls 6) is the one found.
    bool sideBySide;
};

static const OptionalLibraryRow OptionalLibraries[OptionalLibraryCount] = {
    {"kernel32.dll", AlwaysLoaded, false},        {"user32.dll", AlwaysLoaded, false},
    {"ole32.dll", KeptOnceLoaded, false},         {"shell32.dll", KeptOnceLoaded, false},
    {"winmm.dll", ReleasedAfterReport, false},    {"iphlpapi.dll", ReleasedAfterReport, false},
    {"COMCTL32.DLL", ReleasedAfterReport, true},  {"powrprof.dll", ReleasedAfterReport, false},
    {"version.dll", KeptOnceLoaded, false},
};

// A parameter list that differs from the declaration fails the build.
#define SWAYPIX_OPTIONAL_CHECK_Declared(accessor, exported)                    \
    static_assert(std::is_same<accessor##Function, decltype(&::exported)>::value, \
                  #exported " is typed unlike its declaration");
#define SWAYPIX_OPTIONAL_CHECK_Undeclared(accessor, exported)
#define SWAYPIX_OPTIONAL_CHECK(library, accessor, exported, declared, result, parameters) \
    SWAYPIX_OPTIONAL_CHECK_##declared(accessor, exported)
SWAYPIX_OPTIONAL_FUNCTIONS(SWAYPIX_OPTIONAL_CHECK)
#undef SWAYPIX_OPTIONAL_CHECK
static_assert(std::is_same<CommonControlsDllGetVersionFunction, DLLGETVERSIONPROC>::value,
              "DllGetVersion is typed unlike the headers' DLLGETVERSIONPROC");

struct OptionalFunctionRow {
    OptionalLibrary library;
    const char* name;
};

static const OptionalFunctionRow OptionalFunctionRows[OptionalFunctionCount] = {
#define SWAYPIX_OPTIONAL_ROW(library, accessor, exported, declared, result, parameters) {library, #exported},
    SWAYPIX_OPTIONAL_FUNCTIONS(SWAYPIX_OPTIONAL_ROW)
#undef SWAYPIX_OPTIONAL_ROW
};

// What has been looked up so far; a library tried and missing stays null
// and is tried again on the next use.
static HMODULE LoadedLibraries[OptionalLibraryCount];
static void* FunctionAddresses[OptionalFunctionCount];
static bool FunctionLookedUp[OptionalFunctionCount];

static HMODULE LoadSideBySide(const char* fileName) {
    SystemFolderVisit visit;
    if (!EnterSystemFolder(&visit)) {
        LeaveSystemFolder(visit);
        return NULL;
    }
    HMODULE library = LoadLibraryA(fileName);
    LeaveSystemFolder(visit);
    return library;
}

static HMODULE OptionalLibraryModule(OptionalLibrary library) {
    if (LoadedLibraries[library]) return LoadedLibraries[library];
    const OptionalLibraryRow& row = OptionalLibraries[library];
    HMODULE module = NULL;
    switch (row.lifetime) {
    case AlwaysLoaded: module = GetModuleHandleA(row.fileName); break;
    case KeptOnceLoaded:
        module = GetModuleHandleA(row.fileName);
        if (!module) module = LoadSystemLibrary(row.fileName);
        break;
    case ReleasedAfterReport:
        module = row.sideBySide ? LoadSideBySide(row.fileName) : LoadSystemLibrary(row.fileName);
        break;
    }
    LoadedLibraries[library] = module;
    return module;
}

void* OptionalFunctionAddress(OptionalFunctionIndex index) {
    if (FunctionLookedUp[index]) return FunctionAddresses[index];
    const OptionalFunctionRow& row = OptionalFunctionRows[index];
    HMODULE module = OptionalLibraryModule(row.library);
    if (!module) return NULL;
    FunctionAddresses[index] = (void*)GetProcAddress(module, row.name);
    FunctionLookedUp[index] = true;
    return FunctionAddresses[index];
}

void ReleaseReportLibraries() {
    for (int library = 0; library < OptionalLibraryCount; ++library) {
        if (OptionalLibraries[library].lifetime != ReleasedAfterReport || !LoadedLibraries[library]) continue;
        FreeLibrary(LoadedLibraries[library]);
        LoadedLibraries[library] = NULL;
        for (int index = 0; index < OptionalFunctionCount; ++index) {
            if (OptionalFunctionRows[index].library != library) continue;
            FunctionAddresses[index] = NULL;
            FunctionLookedUp[index] = false;
        }
    }
}
