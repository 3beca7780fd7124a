// Watches the cursor from a process of its own, as the user sees it while
// another program is busy: writes every cursor handle GetCursorInfo shows,
// once per change, to the file named by its first argument until the
// event named by its second is set (or ten minutes have passed).
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!stop) return 3;
    FILE* log = fopen(argv[1], "wb");
    if (!log) return 1;
    DWORD start = GetTickCount();
    HCURSOR last = (HCURSOR)-1;
    while (GetTickCount() - start < 600000) {
        CURSORINFO info = {};
        info.cbSize = sizeof info;
        if (GetCursorInfo(&info) && info.hCursor != last) {
            last = info.hCursor;
            fprintf(log, "%lx\n", (unsigned long)(ULONG_PTR)last);
            fflush(log);
        }
        if (WaitForSingleObject(stop, 10) == WAIT_OBJECT_0) break;
    }
    fclose(log);
    CloseHandle(stop);
    return 0;
}
