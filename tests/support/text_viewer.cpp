#include "tests/support/text_viewer.h"

#include <cstring>

#include "tests/support/program_driver.h"
#include "tests/support/wait.h"

struct ViewerSearch {
    const char* fileName;
    HWND found;
};

static BOOL CALLBACK MatchViewer(HWND window, LPARAM lParam) {
    ViewerSearch* search = (ViewerSearch*)lParam;
    char caption[512] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof caption, (LPARAM)caption, SMTO_ABORTIFHUNG, 1000, NULL);
    if (!IsWindowVisible(window) || !strstr(caption, search->fileName)) return TRUE;
    search->found = window;
    return FALSE;
}

static HWND FindViewerOf(const char* fileName) {
    ViewerSearch search = {fileName, NULL};
    EnumWindows(MatchViewer, (LPARAM)&search);
    return search.found;
}

HWND WaitForViewerOf(const char* fileName, DWORD timeoutMs) {
    HWND viewer = NULL;
    WaitUntil(timeoutMs, [&] { return (viewer = FindViewerOf(fileName)) != NULL; });
    return viewer;
}

std::wstring ViewerText(HWND viewer) {
    HWND edit = FindWindowExA(viewer, NULL, "Edit", NULL);
    return edit ? WindowTextW(edit) : L"(no edit area)";
}

void CloseViewersOf(const char* fileName) {
    for (int i = 0; i < 10; ++i) {
        HWND viewer = FindViewerOf(fileName);
        if (!viewer) return;
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        WaitUntil(EventBoundMs, [&] { return !IsWindow(viewer); });
    }
}
