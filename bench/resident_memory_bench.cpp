// Prints what residency costs: the size of swaypix.exe and where its bytes
// come from, the DLLs it imports, and the memory of a resident instance
// next to that of a minimal program that only runs a hidden window, a
// timer and a message loop, both running at once.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/pe_imports.h"

static std::string BesideThisProgram(const char* fileName) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + fileName;
}

static long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// Bytes of the image by the library they were linked from, read from the
// linker's map: every input section placed at an address in a loaded
// output section. Discarded sections sit at address 0.
static std::map<std::string, unsigned long> BytesByLibrary(const std::string& mapPath) {
    std::map<std::string, unsigned long> bytes;
    std::ifstream map(mapPath);
    std::string line, pending;
    while (std::getline(map, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        std::string section, address, size, source;
        if (line.size() > 1 && line[0] == ' ' && line[1] == '.') {
            fields >> section;
            if (!(fields >> address)) {  // a long name: the numbers follow on the next line
                pending = section;
                continue;
            }
        } else if (!pending.empty() && line.size() > 1 && line[0] == ' ' && line[1] == ' ') {
            section = pending;
            fields >> address;
        } else {
            pending.clear();
            continue;
        }
        pending.clear();
        if (!(fields >> size) || !std::getline(fields >> std::ws, source)) continue;
        static const char* loaded[] = {".text", ".data", ".rdata", ".bss", ".eh_frame", ".CRT", ".tls", ".idata"};
        bool isLoaded = false;
        for (const char* name : loaded) isLoaded = isLoaded || section.compare(0, strlen(name), name) == 0;
        unsigned long length = strtoul(size.c_str(), NULL, 16);
        if (!isLoaded || strtoul(address.c_str(), NULL, 16) == 0 || length == 0) continue;
        std::string library = source.substr(0, source.find('('));
        library = library.substr(library.find_last_of("/\\") + 1);
        if (library.size() > 4 && library.compare(library.size() - 4, 4, ".obj") == 0) library = "(program objects)";
        bytes[library] += length;
    }
    return bytes;
}

static void PrintBreakdown(const std::string& mapPath) {
    std::map<std::string, unsigned long> bytes = BytesByLibrary(mapPath);
    if (bytes.empty()) {
        printf("no link map at %s\n", mapPath.c_str());
        return;
    }
    std::vector<std::pair<unsigned long, std::string>> rows;
    for (const auto& entry : bytes) rows.push_back({entry.second, entry.first});
    std::sort(rows.rbegin(), rows.rend());
    printf("%-28s %10s\n", "linked from", "bytes");
    for (const auto& row : rows) printf("%-28s %10lu\n", row.second.c_str(), row.first);
}

struct ResidentMemory {
    PROCESS_INFORMATION process;
    HWND window;
    SIZE_T privateBytes;
    SIZE_T workingSet;
    unsigned long linuxPrivateKb;
};

static bool StartResident(const char* exe, const char* arguments, const char* windowName, ResidentMemory* out) {
    std::string path = BesideThisProgram(exe);
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(path.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &out->process))
        return false;
    out->window = NULL;
    for (int i = 0; i < 1000 && !out->window; ++i) {
        out->window = FindWindowA(windowName, windowName);
        Sleep(10);
    }
    return out->window != NULL;
}

static void MeasureWindowsCounters(ResidentMemory* resident) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(resident->process.hProcess, (PROCESS_MEMORY_COUNTERS*)&counters, sizeof counters);
    // Wine leaves PrivateUsage at 0; its PagefileUsage counts the same
    // committed private memory.
    resident->privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    resident->workingSet = counters.WorkingSetSize;
}

// Under Wine each Windows process is a Linux process; its private pages,
// as Linux counts them, are found through Z:\proc by its command line.
static unsigned long LinuxPrivateKb(const char* commandLineMark) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    unsigned long kb = 0;
    do {
        if (found.cFileName[0] < '0' || found.cFileName[0] > '9') continue;
        std::string folder = std::string("Z:\\proc\\") + found.cFileName;
        std::ifstream cmdlineFile(folder + "\\cmdline", std::ios::binary);
        std::string cmdline((std::istreambuf_iterator<char>(cmdlineFile)), std::istreambuf_iterator<char>());
        std::replace(cmdline.begin(), cmdline.end(), '\0', ' ');
        if (cmdline.find(commandLineMark) == std::string::npos || cmdline.find("_bench") != std::string::npos) continue;
        std::ifstream rollup(folder + "\\smaps_rollup");
        std::string line;
        while (std::getline(rollup, line))
            if (line.compare(0, 8, "Private_") == 0) kb += strtoul(line.c_str() + line.find(':') + 1, NULL, 10);
        break;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return kb;
}

static void EndResident(ResidentMemory* resident) {
    if (resident->window) SendMessageTimeoutA(resident->window, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 5000, NULL);
    if (WaitForSingleObject(resident->process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(resident->process.hProcess, 1);
    CloseHandle(resident->process.hThread);
    CloseHandle(resident->process.hProcess);
}

static double Ratio(double a, double b) {
    return b ? a / b : 0;
}

int main() {
    std::string exe = BesideThisProgram("swaypix.exe");
    printf("swaypix.exe size: %lld bytes\n", FileSize(exe));
    printf("imports:");
    for (const std::string& dll : ReadImportedDlls(exe.c_str())) printf(" %s", dll.c_str());
    printf("\n");
    PrintBreakdown(BesideThisProgram("swaypix.map"));

    ResidentMemory swaypix = {}, minimal = {};
    bool started = StartResident("swaypix.exe", "60000", "SWAY_PIX", &swaypix) &&
                   StartResident("minimal_resident.exe", "", "MINIMAL_RESIDENT", &minimal);
    if (started) {
        Sleep(1000);  // a quiet second after start-up
        MeasureWindowsCounters(&swaypix);
        MeasureWindowsCounters(&minimal);
        swaypix.linuxPrivateKb = LinuxPrivateKb("swaypix.exe 60000");
        minimal.linuxPrivateKb = LinuxPrivateKb("minimal_resident.exe");
    }
    EndResident(&swaypix);
    EndResident(&minimal);
    if (!started) {
        printf("could not start a resident instance\n");
        return 1;
    }
    printf("%-22s %14s %14s %16s\n", "resident memory", "private bytes", "working set", "Linux private kB");
    printf("%-22s %14lu %14lu %16lu\n", "swaypix.exe 60000", (unsigned long)swaypix.privateBytes,
           (unsigned long)swaypix.workingSet, swaypix.linuxPrivateKb);
    printf("%-22s %14lu %14lu %16lu\n", "minimal_resident.exe", (unsigned long)minimal.privateBytes,
           (unsigned long)minimal.workingSet, minimal.linuxPrivateKb);
    printf("%-22s %14.2f %14.2f %16.2f\n", "ratio", Ratio(swaypix.privateBytes, minimal.privateBytes),
           Ratio(swaypix.workingSet, minimal.workingSet), Ratio(swaypix.linuxPrivateKb, minimal.linuxPrivateKb));
    return 0;
}
