// Watches the cursor from a process of its own, as the user sees it while
// another program is busy: writes every cursor handle GetCursorInfo shows,
// once per change, to the file named by its first argument until the
// number of milliseconds in its second has passed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    FILE* log = fopen(argv[1], "wb");
    if (!log) return 1;
    DWORD start = GetTickCount(), duration = (DWORD)strtoul(argv[2], NULL, 10);
    HCURSOR last = (HCURSOR)-1;
    while (GetTickCount() - start < duration) {
        CURSORINFO info = {};
        info.cbSize = sizeof info;
        if (GetCursorInfo(&info) && info.hCursor != last) {
            last = info.hCursor;
            fprintf(log, "%lx\n", (unsigned long)(ULONG_PTR)last);
            fflush(log);
        }
        Sleep(10);
    }
    fclose(log);
    return 0;
}
