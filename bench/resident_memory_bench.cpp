// Prints what residency costs: the size of swaypix.exe, the DLLs it
// imports, and the memory of a resident instance next to that of a minimal
// program that only runs a hidden window and a message loop.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "tools/pe_imports.h"

static std::string BesideThisProgram(const char* fileName) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + fileName;
}

struct ResidentMemory {
    SIZE_T privateBytes;
    SIZE_T workingSet;
};

// Starts the program, waits for its window and a quiet second, measures,
// then ends it.
static bool MeasureResident(const char* exe, const char* arguments, const char* windowName, ResidentMemory* out) {
    std::string path = BesideThisProgram(exe);
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(path.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return false;
    HWND window = NULL;
    for (int i = 0; i < 500 && !window; ++i) {
        window = FindWindowA(windowName, windowName);
        Sleep(10);
    }
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    bool measured = window && GetProcessMemoryInfo(pi.hProcess, (PROCESS_MEMORY_COUNTERS*)&counters, sizeof counters);
    // Wine leaves PrivateUsage at 0; its PagefileUsage counts the same
    // committed private memory.
    out->privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    out->workingSet = counters.WorkingSetSize;
    if (window) SendMessageTimeoutA(window, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 5000, NULL);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return measured;
}

static long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

int main() {
    std::string exe = BesideThisProgram("swaypix.exe");
    printf("swaypix.exe size: %lld bytes\n", FileSize(exe));
    printf("imports:");
    for (const std::string& dll : ReadImportedDlls(exe.c_str())) printf(" %s", dll.c_str());
    printf("\n");

    ResidentMemory swaypix, minimal;
    if (!MeasureResident("swaypix.exe", "60000", "SWAY_PIX", &swaypix) ||
        !MeasureResident("minimal_resident.exe", "", "MINIMAL_RESIDENT", &minimal)) {
        printf("could not measure a resident instance\n");
        return 1;
    }
    printf("%-22s %14s %14s\n", "resident memory", "private bytes", "working set");
    printf("%-22s %14lu %14lu\n", "swaypix.exe 60000", (unsigned long)swaypix.privateBytes,
           (unsigned long)swaypix.workingSet);
    printf("%-22s %14lu %14lu\n", "minimal_resident.exe", (unsigned long)minimal.privateBytes,
           (unsigned long)minimal.workingSet);
    printf("%-22s %14.2f %14.2f\n", "ratio", (double)swaypix.privateBytes / minimal.privateBytes,
           (double)swaypix.workingSet / minimal.workingSet);
    return 0;
}
