// Holds a file open without sharing, as an editor may, until the test sets
// the event "swaypix-test-release-held-file".
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, L"swaypix-test-release-held-file");
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (!release || file == INVALID_HANDLE_VALUE) return 1;
    WaitForSingleObject(release, 300000);
    CloseHandle(file);
    return 0;
}
