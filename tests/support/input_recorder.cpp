#include "tests/support/input_recorder.h"

#include "tests/support/wait.h"

static const int RecorderCapacity = 4096;
static RecordedInput Recorded[RecorderCapacity];
static int RecordedCount = 0;
static CRITICAL_SECTION RecorderLock;
static HANDLE RecorderThread = NULL;
static DWORD RecorderThreadId = 0;
static HANDLE RecorderReady = NULL;
static volatile LONG SettleMarksSeen = 0;

static void Record(const RecordedInput& input) {
    EnterCriticalSection(&RecorderLock);
    if (RecordedCount < RecorderCapacity) Recorded[RecordedCount++] = input;
    LeaveCriticalSection(&RecorderLock);
}

static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    bool button = wParam == WM_LBUTTONDOWN || wParam == WM_LBUTTONUP;
    if (code == HC_ACTION && (wParam == WM_MOUSEMOVE || button)) {
        const MSLLHOOKSTRUCT* m = (const MSLLHOOKSTRUCT*)lParam;
        RecordedInput input = {};
        input.mouse = !button;
        input.vkCode = button ? VK_LBUTTON : 0;
        input.keyUp = wParam == WM_LBUTTONUP;
        input.point = m->pt;
        input.injected = (m->flags & LLMHF_INJECTED) != 0;
        input.tick = GetTickCount();
        Record(input);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && ((const KBDLLHOOKSTRUCT*)lParam)->vkCode == VK_F24) {
        InterlockedIncrement(&SettleMarksSeen);
    } else if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* k = (const KBDLLHOOKSTRUCT*)lParam;
        RecordedInput input = {};
        input.vkCode = k->vkCode;
        input.keyUp = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        input.injected = (k->flags & LLKHF_INJECTED) != 0;
        input.tick = GetTickCount();
        Record(input);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static DWORD WINAPI RecorderMain(LPVOID) {
    HINSTANCE self = GetModuleHandleA(NULL);
    HHOOK mouse = SetWindowsHookExA(WH_MOUSE_LL, MouseHook, self, 0);
    HHOOK keyboard = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, self, 0);
    MSG msg;
    PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);  // make the queue exist
    SetEvent(RecorderReady);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) DispatchMessageA(&msg);
    UnhookWindowsHookEx(mouse);
    UnhookWindowsHookEx(keyboard);
    return 0;
}

void StartInputRecorder() {
    InitializeCriticalSection(&RecorderLock);
    RecordedCount = 0;
    RecorderReady = CreateEventA(NULL, TRUE, FALSE, NULL);
    RecorderThread = CreateThread(NULL, 0, RecorderMain, NULL, 0, &RecorderThreadId);
    WaitForSingleObject(RecorderReady, EventBoundMs);
}

void StopInputRecorder() {
    PostThreadMessageA(RecorderThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(RecorderThread, EventBoundMs);
    CloseHandle(RecorderThread);
    CloseHandle(RecorderReady);
    DeleteCriticalSection(&RecorderLock);
}

void ClearRecordedInput() {
    EnterCriticalSection(&RecorderLock);
    RecordedCount = 0;
    LeaveCriticalSection(&RecorderLock);
}

int RecordedInputCount() {
    EnterCriticalSection(&RecorderLock);
    int count = RecordedCount;
    LeaveCriticalSection(&RecorderLock);
    return count;
}

void SettleRecordedInput() {
    LONG before = SettleMarksSeen;
    keybd_event(VK_F24, 0, KEYEVENTF_KEYUP, 0);
    WaitUntil(EventBoundMs, [&] { return SettleMarksSeen != before; });
}

static bool IsShift(const RecordedInput& input) {
    return !input.mouse && (input.vkCode == VK_SHIFT || input.vkCode == VK_LSHIFT || input.vkCode == VK_RSHIFT);
}

static int CopyRecorded(bool (*wanted)(const RecordedInput&), RecordedInput* out, int capacity) {
    int n = 0;
    EnterCriticalSection(&RecorderLock);
    for (int i = 0; i < RecordedCount && n < capacity; ++i)
        if (wanted(Recorded[i])) out[n++] = Recorded[i];
    LeaveCriticalSection(&RecorderLock);
    return n;
}

static bool IsMouse(const RecordedInput& input) { return input.mouse; }
static bool IsAny(const RecordedInput&) { return true; }

int RecordedInputs(RecordedInput* out, int capacity) { return CopyRecorded(IsAny, out, capacity); }

int RecordedMouseMoves(RecordedInput* out, int capacity) { return CopyRecorded(IsMouse, out, capacity); }
int RecordedShiftEvents(RecordedInput* out, int capacity) { return CopyRecorded(IsShift, out, capacity); }

static bool PointerIsAt(int x, int y) {
    POINT p;
    return GetCursorPos(&p) && p.x == x && p.y == y;
}

bool PlacePointer(int x, int y) {
    return WaitUntil(EventBoundMs, [&] {
        if (!PointerIsAt(x, y)) SetCursorPos(x, y);
        Sleep(100);
        return PointerIsAt(x, y);
    });
}

DWORD LastInputTick() {
    LASTINPUTINFO info = {sizeof info, 0};
    GetLastInputInfo(&info);
    return info.dwTime;
}
