// Holds a file open without sharing, as an editor may, sets the event
// "swaypix-test-file-held", and waits until the test sets the event
// "swaypix-test-release-held-file". What fails is said on standard error.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, L"swaypix-test-release-held-file");
    HANDLE held = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"swaypix-test-file-held");
    if (!release || !held) {
        fprintf(stderr, "hold_open: no event from the test: error %lu\n", GetLastError());
        return 1;
    }
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "hold_open: cannot open the file: error %lu\n", GetLastError());
        return 3;
    }
    SetEvent(held);
    WaitForSingleObject(release, 300000);
    CloseHandle(file);
    return 0;
}
