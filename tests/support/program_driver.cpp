#include "tests/support/program_driver.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/test_files.h"
#include "tests/support/wait.h"

std::string BuiltProgramPath(const char* fileName) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + fileName;
}

PROCESS_INFORMATION StartSwaypix(const std::string& arguments) {
    std::string exe = BuiltProgramPath("swaypix.exe");
    return StartProgram(WideOf(exe), WideOf(arguments));
}

PROCESS_INFORMATION StartProgram(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    CreateProcessW(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    return pi;
}

DWORD WaitForExit(const PROCESS_INFORMATION& process, DWORD timeoutMs) {
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

void CloseProcess(PROCESS_INFORMATION& process) {
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    process = PROCESS_INFORMATION();
}

HWND WaitForResidentWindow(DWORD timeoutMs) {
    HWND w = NULL;
    WaitUntil(timeoutMs, [&] { return (w = FindWindowA("SWAY_PIX", "SWAY_PIX")) != NULL; });
    return w;
}

void EndResidentInstances() {
    for (int attempt = 0; attempt < 5; ++attempt) {
        HWND w = FindWindowA("SWAY_PIX", "SWAY_PIX");
        if (!w) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (process) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, EventBoundMs);
            CloseHandle(process);
        }
    }
}

struct WindowSearch {
    DWORD processId;
    bool dialogsOnly;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND w, LPARAM lParam) {
    WindowSearch* search = (WindowSearch*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != search->processId || !IsWindowVisible(w)) return TRUE;
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (search->dialogsOnly && strcmp(cls, "#32770") != 0) return TRUE;
    search->found = w;
    return FALSE;
}

static HWND WaitForWindowOf(DWORD processId, bool dialogsOnly, DWORD timeoutMs) {
    WindowSearch search = {processId, dialogsOnly, NULL};
    WaitUntil(timeoutMs, [&] {
        EnumWindows(MatchWindow, (LPARAM)&search);
        return search.found != NULL;
    });
    return search.found;
}

HWND WaitForDialogOf(DWORD processId, DWORD timeoutMs) {
    return WaitForWindowOf(processId, true, timeoutMs);
}

bool ShowsAnyWindow(DWORD processId, DWORD timeoutMs) {
    return WaitForWindowOf(processId, false, timeoutMs) != NULL;
}

// Another process's texts come only through WM_GETTEXT.
std::wstring WindowTextW(HWND window) {
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text((size_t)length + 1, L'\0');
    LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), (LPARAM)&text[0]);
    text.resize(copied >= 0 && (size_t)copied < text.size() ? (size_t)copied : 0);
    return text;
}

std::wstring ControlTextW(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    return control ? WindowTextW(control) : std::wstring(L"<no control>");
}

std::wstring MessageBoxTextW(HWND box) {
    return ControlTextW(box, 0xFFFF);
}

// A 32-bit top-down bitmap selected into a memory DC, for reading pixels.
struct PixelCanvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    DWORD* pixels;  // 0x00RRGGBB
};

static PixelCanvas OpenCanvas(int width, int height) {
    PixelCanvas c = {};
    HDC screen = GetDC(NULL);
    c.dc = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    c.bitmap = CreateDIBSection(c.dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    c.pixels = (DWORD*)bits;
    c.previous = SelectObject(c.dc, c.bitmap);
    return c;
}

static void CopyAndCloseCanvas(PixelCanvas& c, DWORD* out, int count) {
    GdiFlush();
    for (int i = 0; i < count; ++i) out[i] = c.pixels[i] & 0xFFFFFF;
    SelectObject(c.dc, c.previous);
    DeleteObject(c.bitmap);
    DeleteDC(c.dc);
}

static void CaptureScreen(const RECT& r, DWORD* out) {
    int w = r.right - r.left, h = r.bottom - r.top;
    PixelCanvas c = OpenCanvas(w, h);
    HDC screen = GetDC(NULL);
    BitBlt(c.dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(NULL, screen);
    CopyAndCloseCanvas(c, out, w * h);
}

// Draws an icon of ours on a plain background.
static void RenderIcon(HICON icon, int size, int background, DWORD* out) {
    PixelCanvas c = OpenCanvas(size, size);
    RECT r = {0, 0, size, size};
    FillRect(c.dc, &r, (HBRUSH)GetStockObject(background));
    DrawIconEx(c.dc, 0, 0, icon, size, size, 0, NULL, DI_NORMAL);
    CopyAndCloseCanvas(c, out, size * size);
}

// Icon handles do not cross processes, so the box's icon is compared as a
// user would: by what it looks like on the screen.
bool MessageBoxShowsIcon(HWND box, LPCSTR systemIcon) {
    HWND iconControl = NULL;
    const int iconIds[] = {0x14, 0x440};  // Windows' and Wine's icon static
    for (int id : iconIds)
        if (!iconControl) iconControl = GetDlgItem(box, id);
    if (!iconControl) return false;
    SetForegroundWindow(box);
    RECT r;
    GetWindowRect(iconControl, &r);
    const int size = 32;
    if (r.right - r.left < size || r.bottom - r.top < size) return false;
    r.right = r.left + size;
    r.bottom = r.top + size;
    static DWORD shown[size * size], onBlack[size * size], onWhite[size * size];
    HICON expected = LoadIconA(NULL, systemIcon);
    RenderIcon(expected, size, BLACK_BRUSH, onBlack);
    RenderIcon(expected, size, WHITE_BRUSH, onWhite);
    // The box paints in its own time: look until the icon is there.
    return WaitUntil(EventBoundMs, [&] {
        RedrawWindow(box, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CaptureScreen(r, shown);
        // A pixel that comes out the same over black and over white is
        // opaque, and its colour is what the screen must show there.
        int opaque = 0, matching = 0;
        for (int i = 0; i < size * size; ++i) {
            if (onBlack[i] != onWhite[i]) continue;
            ++opaque;
            if (shown[i] == onBlack[i]) ++matching;
        }
        return opaque > 100 && matching * 100 >= opaque * 95;
    });
}

bool ExpectMessageBox(HWND box, const wchar_t* caption, const std::wstring& text, LPCSTR icon) {
    EXPECT_TRUE(box != NULL) << "no message box for: " << text;
    if (!box) return false;
    EXPECT_EQ(caption, WindowTextW(box));
    EXPECT_EQ(text, MessageBoxTextW(box));
    EXPECT_TRUE(MessageBoxShowsIcon(box, icon)) << text;
    return true;
}

void PressDialogButton(HWND dialog, int controlId) {
    HWND button = GetDlgItem(dialog, controlId);
    if (button) PostMessageW(button, BM_CLICK, 0, 0);
    else PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), 0);
}

struct OwnedBoxSearch {
    HWND owner;
    bool messageBoxOnly;
    HWND found;
};

static BOOL CALLBACK MatchOwnedBox(HWND w, LPARAM lParam) {
    OwnedBoxSearch* search = (OwnedBoxSearch*)lParam;
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (GetWindow(w, GW_OWNER) == search->owner && IsWindowVisible(w) && strcmp(cls, "#32770") == 0 &&
        (!search->messageBoxOnly || GetDlgItem(w, 0xFFFF))) {
        search->found = w;
        return FALSE;
    }
    return TRUE;
}

static HWND WaitForOwnedDialog(HWND owner, bool messageBoxOnly, DWORD timeoutMs) {
    OwnedBoxSearch search = {owner, messageBoxOnly, NULL};
    WaitUntil(timeoutMs, [&] {
        EnumWindows(MatchOwnedBox, (LPARAM)&search);
        return search.found != NULL;
    });
    return search.found;
}

HWND WaitForMessageBoxOwnedBy(HWND owner, DWORD timeoutMs) {
    return WaitForOwnedDialog(owner, true, timeoutMs);
}

HWND WaitForDialogOwnedBy(HWND owner, DWORD timeoutMs) {
    return WaitForOwnedDialog(owner, false, timeoutMs);
}

void AnswerMessageBox(HWND box, int buttonId) {
    PressDialogButton(box, buttonId);
    WaitUntil(EventBoundMs, [&] { return !IsWindow(box); });
}

void SetControlTextW(HWND dialog, int controlId, const wchar_t* text) {
    SendMessageW(GetDlgItem(dialog, controlId), WM_SETTEXT, 0, (LPARAM)text);
}

bool IsButtonChecked(HWND dialog, int controlId) {
    return SendMessageW(GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool SetButtonChecked(HWND dialog, int controlId, bool checked) {
    if (IsButtonChecked(dialog, controlId) != checked) PressDialogButton(dialog, controlId);
    return WaitUntil(EventBoundMs, [&] { return IsButtonChecked(dialog, controlId) == checked; });
}

// hold_open.exe opens the file without sharing and sets the "held" event,
// or says why on its standard error and exits; nothing here opens the
// file meanwhile, so no probe of ours can make its unshared open fail.
bool HoldFileOpen(const std::wstring& path, HeldFile* holder) {
    HeldFile& held = *holder;
    held.release = CreateEventW(NULL, TRUE, FALSE, L"swaypix-test-release-held-file");
    HANDLE heldEvent = CreateEventW(NULL, TRUE, FALSE, L"swaypix-test-file-held");
    if (heldEvent) ResetEvent(heldEvent);  // one a late holder still has open
    std::string exe = BuiltProgramPath("hold_open.exe");
    std::wstring command = L"\"" + WideOf(exe) + L"\" \"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!held.release || !heldEvent ||
        !CreateProcessW(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &held.holder)) {
        ADD_FAILURE() << "cannot start hold_open.exe: error " << GetLastError();
        if (heldEvent) CloseHandle(heldEvent);
        return false;
    }
    HANDLE outcomes[] = {heldEvent, held.holder.hProcess};
    DWORD outcome = WaitForMultipleObjects(2, outcomes, FALSE, EventBoundMs);
    CloseHandle(heldEvent);
    if (outcome == WAIT_OBJECT_0) return true;
    ADD_FAILURE() << (outcome == WAIT_OBJECT_0 + 1 ? "hold_open.exe exited with code " : "hold_open.exe never held the file, ")
                  << WaitForExit(held.holder, 0);
    return false;
}

void ReleaseHeldFile(HeldFile& held) {
    if (!held.release) return;
    SetEvent(held.release);
    WaitForExit(held.holder, EventBoundMs);
    CloseProcess(held.holder);
    CloseHandle(held.release);
    held = HeldFile();
}
