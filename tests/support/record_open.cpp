// Stands in for the user's browser, mail program or text viewer: the test
// registers it as the shell's handler, and it appends the command line it
// was started with, its current directory and, for a file, the file's first
// line to the log named by SWAYPIX_TEST_OPEN_LOG.
#include <windows.h>

#include <cstdio>
#include <cstring>

// The last argument, without quotes: the target the shell opened.
static void LastArgument(const char* commandLine, char* out, size_t size) {
    const char* start = strrchr(commandLine, '"');
    out[0] = '\0';
    if (!start) return;
    const char* open = start;
    while (open > commandLine && *(open - 1) != '"') --open;
    size_t n = (size_t)(start - open);
    if (n >= size) n = size - 1;
    memcpy(out, open, n);
    out[n] = '\0';
}

int main() {
    char logPath[MAX_PATH];
    if (!GetEnvironmentVariableA("SWAYPIX_TEST_OPEN_LOG", logPath, sizeof logPath)) return 1;
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    char target[1024];
    LastArgument(GetCommandLineA(), target, sizeof target);
    char firstLine[512] = "";
    FILE* opened = fopen(target, "rb");
    if (opened) {
        if (!fgets(firstLine, sizeof firstLine, opened)) firstLine[0] = '\0';
        firstLine[strcspn(firstLine, "\r\n")] = '\0';
        fclose(opened);
    }
    FILE* log = fopen(logPath, "ab");
    if (!log) return 1;
    fprintf(log, "target=%s\ndirectory=%s\nfirst-line=%s\n", target, directory, firstLine);
    fclose(log);
    return 0;
}
