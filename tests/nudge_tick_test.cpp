// One tick of the resident window, in this process, with the session
// queries pointed at fakes where Wine cannot play the situation.
#include <gtest/gtest.h>

#include <climits>

#include "app/resident_window.h"
#include "common/nudge_settings.h"
#include "common/session_access.h"
#include "tests/support/input_recorder.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/wait.h"

static int FakeRemoteSession = 0;

static int WINAPI FakeSystemMetrics(int index) {
    return index == SM_REMOTESESSION ? FakeRemoteSession : GetSystemMetrics(index);
}

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
    ScopedSwap<SessionAccess> session{Session, {FakeSystemMetrics, GetCursorPos, GetTickCount}};
    ScopedSwap<int> distance{NudgeDistance};
    void SetUp() override {
        StartInputRecorder();
        FakeRemoteSession = 0;
        SetCursorPos(200, 150);
        Sleep(50);
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
    SetCursorPos(right, 100);
    Sleep(50);
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
