// The smallest resident Win32 program: a hidden window with a timer and a
// message loop.
// The memory benchmark measures swaypix.exe against it.
#include <windows.h>

static LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MinimalWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "MINIMAL_RESIDENT";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("MINIMAL_RESIDENT", "MINIMAL_RESIDENT", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                CW_USEDEFAULT, 0, NULL, NULL, instance, NULL);
    SetTimer(window, 1, 60000, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
