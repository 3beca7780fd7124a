// The real swaypix.exe while a user works: xdotool moves the pointer,
// types and holds a button on the X display, and the nudges must keep
// out of the way. Wine takes X input only over its own windows, so a
// window of this test covers the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/input_recorder.h"
#include "tests/support/linux_tools.h"
#include "tests/support/program_driver.h"
#include "tests/support/wait.h"

// Load makes the program's tick later, and the hooks see each event a
// little after Windows stamped it. A nudge among the user's input would be
// seconds early; one that waited for the next regular tick, seconds late.
static const DWORD LateByAtMost = 1000;
static const DWORD EarlyByAtMost = 500;

// Wine turns X events into input on the thread that owns the window, so
// the cover has a thread of its own that does nothing but pump.
static DWORD WINAPI CoverThread(LPVOID ready) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "SwaypixTestCover";
    RegisterClassA(&wc);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL,
                                 wc.hInstance, NULL);
    SetForegroundWindow(cover);
    SetEvent((HANDLE)ready);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    DestroyWindow(cover);
    return 0;
}

static std::vector<RecordedInput> Recorded() {
    std::vector<RecordedInput> events(1024);
    events.resize(RecordedInputs(events.data(), (int)events.size()));
    return events;
}

class UserInput : public ::testing::Test {
protected:
    HANDLE cover = NULL;
    DWORD coverThreadId = 0;
    PROCESS_INFORMATION resident = {};
    DWORD createdAt = 0;  // about when the program's timer started

    void SetUp() override {
        EndResidentInstances();
        StartInputRecorder();
        HANDLE ready = CreateEventA(NULL, TRUE, FALSE, NULL);
        cover = CreateThread(NULL, 0, CoverThread, ready, 0, &coverThreadId);
        WaitForSingleObject(ready, EventBoundMs);
        CloseHandle(ready);
        ASSERT_TRUE(PlacePointer(300, 200));
        // The positive control: X input over the cover reaches Windows.
        DWORD before = LastInputTick();
        RunLinuxCommand("xdotool mousemove_relative -- 5 0");
        ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return LastInputTick() != before; }));
    }
    void TearDown() override {
        EndResidentInstances();
        CloseProcess(resident);
        PostThreadMessageA(coverThreadId, WM_QUIT, 0, 0);
        WaitForSingleObject(cover, EventBoundMs);
        CloseHandle(cover);
        StopInputRecorder();
    }
    void StartResident(const char* arguments) {
        resident = StartSwaypix(arguments);
        ASSERT_TRUE(WaitForResidentWindow(EventBoundMs) != NULL);
        createdAt = GetTickCount();
        ClearRecordedInput();
    }
};

// Every injected event comes a full interval after the user's input
// before it, and once the user stops, the first comes one interval after
// the last input (waited for, with the user's input, which the cover's
// thread may turn over late).
static void ExpectNudgesOnlyAfterAFullInterval(DWORD interval, int userEventsAtLeast) {
    std::vector<RecordedInput> events;
    int userEvents = 0;
    DWORD lastUser = 0;
    const RecordedInput* next = NULL;
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] {
        events = Recorded();
        userEvents = 0;
        next = NULL;
        for (const RecordedInput& e : events) {
            if (!e.injected) {
                ++userEvents;
                lastUser = e.tick;
                next = NULL;
            } else if (!next) {
                next = &e;
            }
        }
        return userEvents >= userEventsAtLeast && next;
    })) << userEvents << " events of the user's";
    EXPECT_LE(next->tick - lastUser, interval + LateByAtMost);
    DWORD userBefore = 0;
    for (const RecordedInput& e : events) {
        if (!e.injected) {
            userBefore = e.tick;
        } else if (userBefore) {
            EXPECT_GE(e.tick - userBefore, interval - EarlyByAtMost) << "injected at " << e.tick;
        }
    }
}

// The user works, xdotool's `commands` over and over, and stops a little
// after the third regular tick of the program's timer: a nudge that waited
// for the next regular tick would come nearly two intervals after the
// last input.
static void WorkUntilJustAfterATick(DWORD createdAt, DWORD interval, const char* commands) {
    DWORD stop = createdAt + 3 * interval + 400;
    while ((LONG)(GetTickCount() - stop) < 0) RunLinuxCommand(std::string("xdotool ") + commands);
}

TEST_F(UserInput, MovingThePointerHoldsTheNudgeBack) {
    StartResident("3000");
    WorkUntilJustAfterATick(createdAt, 3000, "mousemove_relative -- 4 0 sleep 0.25 mousemove_relative -- -4 0");
    ExpectNudgesOnlyAfterAFullInterval(3000, 12);
}

TEST_F(UserInput, TypingHoldsTheShiftTapBack) {
    StartResident("3000 0");
    WorkUntilJustAfterATick(createdAt, 3000, "key x sleep 0.4 key x");
    ExpectNudgesOnlyAfterAFullInterval(3000, 12);
}

TEST_F(UserInput, AButtonHeldStillIsNeverNudged) {
    StartResident("1000");
    RunLinuxCommand("xdotool mousedown 1");
    ASSERT_TRUE(WaitUntil(EventBoundMs, [] { return GetAsyncKeyState(VK_LBUTTON) < 0; }));
    Sleep(3500);  // three intervals and a half, held still
    RunLinuxCommand("xdotool mouseup 1");
    ExpectNudgesOnlyAfterAFullInterval(1000, 2);
    bool held = false;
    for (const RecordedInput& e : Recorded()) {
        if (e.vkCode == VK_LBUTTON && !e.injected) {
            held = !e.keyUp;
        } else {
            EXPECT_FALSE(held && e.injected) << "injected at " << e.tick;
        }
    }
}
