// One tick of the resident window, in this process, with the session
// queries pointed at fakes where Wine cannot play the situation.
#include <gtest/gtest.h>

#include <climits>

#include "app/resident_window.h"
#include "common/nudge_settings.h"
#include "common/session_access.h"
#include "tests/support/input_recorder.h"
#include "tests/support/remote_session.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/wait.h"

// A failed GetCursorPos leaves its output undefined; this one fills in a
// position that must never be used.
static BOOL WINAPI UnreadableCursorPos(LPPOINT point) {
    point->x = 7;
    point->y = 7;
    return FALSE;
}

static POINT CursorNow() {
    POINT p = {-1, -1};
    GetCursorPos(&p);
    return p;
}

class NudgeTick : public ::testing::Test {
protected:
    ScopedSwap<SessionAccess> session{Session, WithFakeRemoteSession()};
    ScopedSwap<int> distance{NudgeDistance};
    void SetUp() override {
        StartInputRecorder();
        FakeRemoteSession = 0;
        ASSERT_TRUE(PlacePointer(200, 150));
        ClearRecordedInput();
    }
    void TearDown() override { StopInputRecorder(); }
    // Delivers one timer message and waits for `expected` events (or a
    // quiet moment when none are expected).
    int Tick(UINT_PTR timerId, int expectedMoves, int expectedKeys) {
        ResidentWindowProc(NULL, WM_TIMER, timerId, 0);
        RecordedInput seen[64];
        WaitUntil(EventBoundMs, [&] {
            return RecordedMouseMoves(seen, 64) >= expectedMoves && RecordedShiftEvents(seen, 64) >= expectedKeys;
        });
        Sleep(expectedMoves + expectedKeys == 0 ? 200 : 50);
        return RecordedInputCount();
    }
};

TEST_F(NudgeTick, MovesRightAndBackAndRestoresThePointer) {
    NudgeDistance = 1;
    Tick(JiggleTimerId, 2, 0);
    RecordedInput moves[8];
    ASSERT_EQ(2, RecordedMouseMoves(moves, 8));
    EXPECT_EQ(201, moves[0].point.x);
    EXPECT_EQ(150, moves[0].point.y);
    EXPECT_EQ(200, moves[1].point.x);
    EXPECT_TRUE(moves[0].injected && moves[1].injected);
    POINT p = CursorNow();
    EXPECT_EQ(200, p.x);
    EXPECT_EQ(150, p.y);
}

TEST_F(NudgeTick, RestoresThePointerAtTheScreenEdge) {
    // At the right edge the first move is lost; only putting the pointer
    // back keeps it from drifting left by one pixel on every tick.
    int right = GetSystemMetrics(SM_CXSCREEN) - 1;
    ASSERT_TRUE(PlacePointer(right, 100));
    ClearRecordedInput();
    NudgeDistance = 1;
    Tick(JiggleTimerId, 1, 0);
    POINT p = CursorNow();
    EXPECT_EQ(right, p.x);
    EXPECT_EQ(100, p.y);
}

TEST_F(NudgeTick, RestoresThePointerWithAccelerationOn) {
    int oldMouse[3];
    int oldSpeed = 10;
    SystemParametersInfoA(SPI_GETMOUSE, 0, oldMouse, 0);
    SystemParametersInfoA(SPI_GETMOUSESPEED, 0, &oldSpeed, 0);
    int accelerated[3] = {2, 4, 2};
    SystemParametersInfoA(SPI_SETMOUSE, 0, accelerated, 0);
    SystemParametersInfoA(SPI_SETMOUSESPEED, 0, (PVOID)(INT_PTR)20, 0);
    NudgeDistance = 5;
    Tick(JiggleTimerId, 2, 0);
    SystemParametersInfoA(SPI_SETMOUSE, 0, oldMouse, 0);
    SystemParametersInfoA(SPI_SETMOUSESPEED, 0, (PVOID)(INT_PTR)oldSpeed, 0);
    POINT p = CursorNow();
    EXPECT_EQ(200, p.x);
    EXPECT_EQ(150, p.y);
}

TEST_F(NudgeTick, NegativeDistanceMovesLeftFirst) {
    NudgeDistance = -3;
    Tick(JiggleTimerId, 2, 0);
    RecordedInput moves[8];
    ASSERT_EQ(2, RecordedMouseMoves(moves, 8));
    EXPECT_EQ(197, moves[0].point.x);
    EXPECT_EQ(200, moves[1].point.x);
    EXPECT_EQ(200, CursorNow().x);
}

TEST_F(NudgeTick, MostNegativeDistanceIsSafe) {
    NudgeDistance = INT_MIN;
    Tick(JiggleTimerId, 2, 0);
    RecordedInput moves[8];
    ASSERT_EQ(2, RecordedMouseMoves(moves, 8));
    EXPECT_LT(moves[0].point.x, 200);  // left first, as far as it goes
    EXPECT_GT(moves[1].point.x, moves[0].point.x);  // then back to the right
    POINT p = CursorNow();
    EXPECT_EQ(200, p.x);
    EXPECT_EQ(150, p.y);
}

TEST_F(NudgeTick, RemoteSessionSkipsTheMouseButNotTheKeyboard) {
    FakeRemoteSession = 1;
    NudgeDistance = 1;
    EXPECT_EQ(0, Tick(JiggleTimerId, 0, 0));

    NudgeDistance = 0;
    Tick(JiggleTimerId, 0, 2);
    RecordedInput keys[8];
    ASSERT_EQ(2, RecordedShiftEvents(keys, 8));
    EXPECT_FALSE(keys[0].keyUp);
    EXPECT_TRUE(keys[1].keyUp);
}

TEST_F(NudgeTick, UnreadablePointerIsNotMovedToAGuess) {
    Session.getCursorPos = UnreadableCursorPos;
    NudgeDistance = 1;
    Tick(JiggleTimerId, 2, 0);
    RecordedInput moves[8];
    EXPECT_EQ(2, RecordedMouseMoves(moves, 8));  // the system still sees input
    POINT p = CursorNow();
    EXPECT_EQ(200, p.x);
    EXPECT_EQ(150, p.y);
}

TEST_F(NudgeTick, OtherTimerIdsChangeNothing) {
    const UINT_PTR others[] = {0, 1, 2008, JiggleTimerId - 1, JiggleTimerId + 1, 0x10000 + JiggleTimerId};
    NudgeDistance = 1;
    for (UINT_PTR id : others) EXPECT_EQ(0, Tick(id, 0, 0)) << id;
    NudgeDistance = 0;
    for (UINT_PTR id : others) EXPECT_EQ(0, Tick(id, 0, 0)) << id;
}

// What Windows made of a nudge, played through the session: the tick
// counter stands just before its wrap, the last input lies `lastInput`
// ticks after the nudge (negative: before it, so the nudge was dropped).
static const DWORD NudgeTickCount = 0xFFFFFFF0;
static bool InputTimeKnown;
static int LastInputAfterNudge;
static bool UsersDesktop;
static int PowerCalls;
static EXECUTION_STATE PowerFlags;

static bool PlayedLastInputTick(DWORD* tick) {
    *tick = NudgeTickCount + (DWORD)LastInputAfterNudge;
    return InputTimeKnown;
}

static EXECUTION_STATE WINAPI CountedPowerCall(EXECUTION_STATE flags) {
    ++PowerCalls;
    PowerFlags = flags;
    return ES_CONTINUOUS;
}

// A message-only window of the resident class, so that the check timer
// really arrives; its nudge timer is set too far out to fire.
static HWND CreateCheckingWindow() {
    RegisterResidentClass(GetModuleHandleA(NULL));
    return CreateWindowExA(0, ResidentWindowName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, GetModuleHandleA(NULL),
                           NULL);
}

static void DestroyCheckingWindow(HWND window) {
    DestroyWindow(window);
    MSG message;
    PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);  // posted by WM_DESTROY
}

// Until a timer of this thread set for three check delays comes: a
// queue's timers come due in order, so however late this thread runs,
// the check timer has fired by then (and fired again, were it not ended).
static void PumpMessages() {
    UINT_PTR done = SetTimer(NULL, 0, 3 * NudgeCheckDelay + 100, NULL);
    bool came = WaitUntil(EventBoundMs, [&] {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message == WM_TIMER && message.hwnd == NULL && message.wParam == done) return true;
            DispatchMessageA(&message);
        }
        return false;
    });
    KillTimer(NULL, done);
    EXPECT_TRUE(came) << "the pump's own timer";
}

TEST_F(NudgeTick, DroppedNudgeResetsTheIdleTimersOnlyOnTheUsersDesktop) {
    struct {
        const char* what;
        int distance;
        int remote;
        bool known;
        int lastInput;
        bool usersDesktop;
        int powerCalls;
    } cases[] = {
        {"registered, across the wrap", 1, 0, true, 40, true, 0},
        {"registered within the nudge's tick", 0, 0, true, 0, true, 0},
        {"dropped on the user's desktop", 1, 0, true, -1, true, 1},
        {"dropped Shift tap, long idle", 0, 0, true, -3600000, true, 1},
        {"dropped on a locked desktop", 1, 0, true, -1, false, 0},
        {"Shift tap dropped in a remote session", 0, 1, true, -1, true, 0},
        {"GetLastInputInfo missing", 1, 0, false, -1, true, 0},
    };
    ScopedSwap<int> interval(NudgeInterval, USER_TIMER_MAXIMUM);
    HWND window = CreateCheckingWindow();
    ASSERT_TRUE(window != NULL);
    Session.getTickCount = [](void) -> DWORD WINAPI { return NudgeTickCount; };
    Session.lastInputTick = PlayedLastInputTick;
    Session.inputDesktopIsUsers = [] { return UsersDesktop; };
    Session.setThreadExecutionState = CountedPowerCall;
    for (const auto& c : cases) {
        NudgeDistance = c.distance;
        FakeRemoteSession = c.remote;
        InputTimeKnown = c.known;
        LastInputAfterNudge = c.lastInput;
        UsersDesktop = c.usersDesktop;
        PowerCalls = 0;
        PowerFlags = 0;
        ClearRecordedInput();
        ResidentWindowProc(window, WM_TIMER, JiggleTimerId, 0);
        PumpMessages();
        EXPECT_EQ(c.powerCalls, PowerCalls) << c.what;
        if (c.powerCalls) {
            EXPECT_EQ((EXECUTION_STATE)(ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED), PowerFlags) << c.what;
        }
        // The nudge itself is the same whatever the check finds.
        RecordedInput seen[16];
        EXPECT_EQ(c.distance && !c.remote ? 2 : 0, RecordedMouseMoves(seen, 16)) << c.what;
        EXPECT_EQ(c.distance ? 0 : 2, RecordedShiftEvents(seen, 16)) << c.what;
    }
    DestroyCheckingWindow(window);
}

// Under Wine injected input counts, as on a Windows that takes it: the
// live session sees the nudge and asks nothing of the power manager.
TEST_F(NudgeTick, RegisteredNudgeLeavesThePowerManagerAlone) {
    EXPECT_TRUE(LiveSession.inputDesktopIsUsers());
    ScopedSwap<int> interval(NudgeInterval, USER_TIMER_MAXIMUM);
    HWND window = CreateCheckingWindow();
    ASSERT_TRUE(window != NULL);
    Session.setThreadExecutionState = CountedPowerCall;
    PowerCalls = 0;
    NudgeDistance = 1;
    DWORD before = GetTickCount();
    ResidentWindowProc(window, WM_TIMER, JiggleTimerId, 0);
    PumpMessages();
    DWORD lastInput = 0;
    ASSERT_TRUE(LiveSession.lastInputTick(&lastInput));
    EXPECT_LE((LONG)(before - lastInput), 20);  // the nudge, not some earlier input
    EXPECT_EQ(0, PowerCalls);
    DestroyCheckingWindow(window);
}
