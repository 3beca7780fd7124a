// One tick of the resident window, in this process, with the session
// queries pointed at fakes where Wine cannot play the situation.
#include <gtest/gtest.h>

#include <climits>

#include "app/resident_window.h"
#include "app/session_end.h"
#include "app/user_activity.h"
#include "common/nudge_settings.h"
#include "common/session_access.h"
#include "envreport/os/power_access.h"
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

// Where no test plays it, Windows cannot tell the time of the last input,
// so every tick nudges as it always did, and no key is held; the remote
// session is played as the tests say.
static bool UnknownLastInputTick(DWORD*) {
    return false;
}

static SHORT WINAPI NothingHeld(int) {
    return 0;
}

static SessionAccess WithoutUsersInput() {
    SessionAccess session = WithFakeRemoteSession();
    session.lastInputTick = UnknownLastInputTick;
    session.getAsyncKeyState = NothingHeld;
    return session;
}

static POINT CursorNow() {
    POINT p = {-1, -1};
    GetCursorPos(&p);
    return p;
}

// A message-only window of the resident class, so that the check timer
// really arrives; its nudge timer is set too far out to fire.
static HWND CreateCheckingWindow() {
    RegisterResidentClass(GetModuleHandleA(NULL));
    HWND window = CreateWindowExA(0, ResidentWindowName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                  GetModuleHandleA(NULL), NULL);
    SetTimer(window, JiggleTimerId, USER_TIMER_MAXIMUM, NULL);
    return window;
}

static void DestroyCheckingWindow(HWND window) {
    DestroyWindow(window);
    MSG message;
    PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);  // posted by WM_DESTROY
}

static const int PlayedInterval = 3000;

class NudgeTick : public ::testing::Test {
protected:
    ScopedSwap<SessionAccess> session{Session, WithoutUsersInput()};
    ScopedSwap<int> distance{NudgeDistance};
    ScopedSwap<int> interval{NudgeInterval, PlayedInterval};
    ScopedSwap<NudgeBounds> bounds{SessionBounds, NudgeBounds()};
    ScopedSwap<PowerAccess> power{Power};
    HWND window = NULL;
    void SetUp() override {
        StartInputRecorder();
        FakeRemoteSession = 0;
        NoteUserResume();  // a wake played by an earlier test is over
        window = CreateCheckingWindow();
        ASSERT_TRUE(window != NULL);
        ASSERT_TRUE(PlacePointer(200, 150));
        SettleRecordedInput();
        ClearRecordedInput();
    }
    void TearDown() override {
        DestroyCheckingWindow(window);
        StopInputRecorder();
    }
    // Delivers one timer message; returns the input events it sent.
    int Tick(UINT_PTR timerId) {
        ResidentWindowProc(window, WM_TIMER, timerId, 0);
        SettleRecordedInput();
        return RecordedInputCount();
    }
};

TEST_F(NudgeTick, MovesRightAndBackAndRestoresThePointer) {
    NudgeDistance = 1;
    Tick(JiggleTimerId);
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
    Tick(JiggleTimerId);
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
    Tick(JiggleTimerId);
    SystemParametersInfoA(SPI_SETMOUSE, 0, oldMouse, 0);
    SystemParametersInfoA(SPI_SETMOUSESPEED, 0, (PVOID)(INT_PTR)oldSpeed, 0);
    POINT p = CursorNow();
    EXPECT_EQ(200, p.x);
    EXPECT_EQ(150, p.y);
}

TEST_F(NudgeTick, NegativeDistanceMovesLeftFirst) {
    NudgeDistance = -3;
    Tick(JiggleTimerId);
    RecordedInput moves[8];
    ASSERT_EQ(2, RecordedMouseMoves(moves, 8));
    EXPECT_EQ(197, moves[0].point.x);
    EXPECT_EQ(200, moves[1].point.x);
    EXPECT_EQ(200, CursorNow().x);
}

TEST_F(NudgeTick, MostNegativeDistanceIsSafe) {
    NudgeDistance = INT_MIN;
    Tick(JiggleTimerId);
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
    EXPECT_EQ(0, Tick(JiggleTimerId));

    NudgeDistance = 0;
    Tick(JiggleTimerId);
    RecordedInput keys[8];
    ASSERT_EQ(2, RecordedShiftEvents(keys, 8));
    EXPECT_FALSE(keys[0].keyUp);
    EXPECT_TRUE(keys[1].keyUp);
}

TEST_F(NudgeTick, UnreadablePointerIsNotMovedToAGuess) {
    Session.getCursorPos = UnreadableCursorPos;
    NudgeDistance = 1;
    Tick(JiggleTimerId);
    RecordedInput moves[8];
    EXPECT_EQ(2, RecordedMouseMoves(moves, 8));  // the system still sees input
    POINT p = CursorNow();
    EXPECT_EQ(200, p.x);
    EXPECT_EQ(150, p.y);
}

TEST_F(NudgeTick, OtherTimerIdsChangeNothing) {
    const UINT_PTR others[] = {0, 1, 2008, JiggleTimerId - 1, NudgeCheckTimerId + 1, 0x10000 + JiggleTimerId};
    NudgeDistance = 1;
    for (UINT_PTR id : others) EXPECT_EQ(0, Tick(id)) << id;
    NudgeDistance = 0;
    for (UINT_PTR id : others) EXPECT_EQ(0, Tick(id)) << id;
}

// The user's input and held keys, played through the session.
static DWORD PlayedNow;
static DWORD PlayedLastInput;
static bool PlayedInputKnown;
static int PlayedHeldKey;

static DWORD WINAPI PlayedTickCount() {
    return PlayedNow;
}

static bool PlayedInputTick(DWORD* tick) {
    *tick = PlayedLastInput;
    return PlayedInputKnown;
}

static SHORT WINAPI PlayedKeyState(int key) {
    return key == PlayedHeldKey ? (SHORT)0x8000 : 0;
}

// What Windows made of a nudge, played through the session: the tick
// counter stands just before its wrap, the last input lies `lastInput`
// ticks after the nudge (negative: before it, so the nudge was dropped).
static const DWORD NudgeTickCount = 0xFFFFFFF0;
static bool UsersDesktop;
static int PowerCalls;
static EXECUTION_STATE PowerFlags;

static EXECUTION_STATE WINAPI CountedPowerCall(EXECUTION_STATE flags) {
    ++PowerCalls;
    PowerFlags = flags;
    return ES_CONTINUOUS;
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
    Session.getTickCount = PlayedTickCount;
    Session.lastInputTick = PlayedInputTick;
    PlayedNow = NudgeTickCount;
    Session.inputDesktopIsUsers = [] { return UsersDesktop; };
    Session.setThreadExecutionState = CountedPowerCall;
    for (const auto& c : cases) {
        NudgeDistance = c.distance;
        FakeRemoteSession = c.remote;
        PlayedInputKnown = c.known;
        UsersDesktop = c.usersDesktop;
        PowerCalls = 0;
        PowerFlags = 0;
        ClearRecordedInput();
        PlayedLastInput = NudgeTickCount - 3600000;  // the user left long ago: the tick nudges
        ResidentWindowProc(window, WM_TIMER, JiggleTimerId, 0);
        PlayedLastInput = NudgeTickCount + (DWORD)c.lastInput;
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
}

// Under Wine injected input counts, as on a Windows that takes it: the
// live session sees the nudge and asks nothing of the power manager.
TEST_F(NudgeTick, RegisteredNudgeLeavesThePowerManagerAlone) {
    EXPECT_TRUE(LiveSession.inputDesktopIsUsers());
    NudgeInterval = 1;  // whatever input came last, it is older than that
    Session.lastInputTick = LiveSession.lastInputTick;
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
}

static const int NoUserInput = INT_MIN;

static void DispatchWaitingMessages() {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Each case first nudges the user's long absence away; the last-input
// time read back after that nudge lies `ownAge` ms before the tick. Then
// the tick sees the user's input of `userAge` ms before it (or none
// since) and `heldKey` down. A skip for the user's input re-arms the
// nudge for that input plus the interval, `rearm` ms on: the played clock
// is moved on as far, and the re-armed nudge must come (0: not followed).
TEST_F(NudgeTick, NudgesOnlyOnceTheUserLeftAFullInterval) {
    const struct {
        const char* what;
        int distance, remote;
        bool known, checkFired;  // else the tick still finds the check due
        DWORD now;
        long long ownAge, userAge;
        int heldKey;
        bool nudges;
        DWORD rearm;
        int interval = PlayedInterval;
    } cases[] = {
        {"user input younger than the interval", 1, 0, true, true, 500000, 2800, 2700, 0, false, 300},
        {"user input stamped a moment ahead of this clock", 1, 0, true, true, 550000, 2800, -5, 0, false, 0},
        {"own nudge only", 1, 0, true, true, 600000, 100, NoUserInput, 0, true, 0},
        {"own nudge only, its check still due", 0, 0, true, false, 700000, 100, NoUserInput, 0, true, 0},
        {"no GetLastInputInfo", 1, 0, false, true, 800000, 100, 50, 0, true, 0},
        {"left button held", 1, 0, true, true, 900000, 100, NoUserInput, VK_LBUTTON, false, 0},
        {"X button 2 held", 1, 0, true, true, 1000000, 100, NoUserInput, VK_XBUTTON2, false, 0},
        {"a key held in the mouse mode", 1, 0, true, true, 1100000, 100, NoUserInput, 'A', true, 0},
        {"Shift mode, a key held", 0, 0, true, true, 1200000, 100, NoUserInput, 'A', false, 0},
        {"Shift mode, the last key held", 0, 0, true, true, 1300000, 100, NoUserInput, 0xFE, false, 0},
        {"Shift mode, remote session, own tap only", 0, 1, true, true, 1400000, 100, NoUserInput, 0, true, 0},
        {"Shift mode, remote session, user input", 0, 1, true, true, 1500000, 2800, 2600, 0, false, 400},
        {"user input before the wrap, tick after it", 0, 0, true, true, 0x100, 2800, 2700, 0, false, 300},
        // Keys the Japanese keyboard leaves reported down hold nothing back;
        // keys the user really holds do.
        {"Shift mode, 英数 latched", 0, 0, true, true, 1600000, 100, NoUserInput, 0xF0, true, 0},
        {"Shift mode, カタカナ latched", 0, 0, true, true, 1610000, 100, NoUserInput, 0xF1, true, 0},
        {"Shift mode, 半角/全角 latched", 0, 0, true, true, 1620000, 100, NoUserInput, 0xF3, true, 0},
        {"Shift mode, 全角 latched", 0, 0, true, true, 1630000, 100, NoUserInput, 0xF4, true, 0},
        {"Shift mode, Alt+ひらがな latched", 0, 0, true, true, 1640000, 100, NoUserInput, 0xF5, true, 0},
        {"Shift mode, Alt+ひらがな latched back", 0, 0, true, true, 1650000, 100, NoUserInput, 0xF6, true, 0},
        {"Shift mode, Caps Lock latched", 0, 0, true, true, 1660000, 100, NoUserInput, VK_CAPITAL, true, 0},
        {"Shift mode, VK_KANJI latched", 0, 0, true, true, 1670000, 100, NoUserInput, VK_KANJI, true, 0},
        {"Shift mode, Ctrl held", 0, 0, true, true, 1680000, 100, NoUserInput, VK_CONTROL, false, 0},
        {"Shift mode, Alt held", 0, 0, true, true, 1690000, 100, NoUserInput, VK_MENU, false, 0},
        // Idle times past half the counter's range are idle times: the
        // longest interval with its tick 700 ms late, a 13-day interval
        // whose regular tick follows a skipped one.
        {"longest interval, tick 700 ms late", 1, 0, true, true, 1700000, 2147483800LL, 2147483700LL, 0, true, 0,
         2147483000},
        {"13-day interval after a skipped tick", 1, 0, true, true, 1800000, 2 * 1123200000LL, 2 * 1123200000LL - 5000, 0,
         true, 0, 1123200000},
        // The counter runs on through a month of hibernation since the last
        // nudge: the user's fresh input is still the user's.
        {"fresh input after a month's hibernation", 1, 0, true, true, 1900000, 2592000000LL, 2700, 0, false, 300},
    };
    Session.getTickCount = PlayedTickCount;
    Session.lastInputTick = PlayedInputTick;
    Session.getAsyncKeyState = PlayedKeyState;
    for (const auto& c : cases) {
        DestroyCheckingWindow(window);
        window = CreateCheckingWindow();
        NudgeInterval = c.interval;
        NudgeDistance = c.distance;
        FakeRemoteSession = c.remote;
        PlayedInputKnown = c.known;
        PlayedHeldKey = 0;
        PlayedNow = (DWORD)(c.now - c.ownAge);
        PlayedLastInput = PlayedNow - (DWORD)c.interval;
        Tick(JiggleTimerId);
        PlayedLastInput = (DWORD)(c.now - c.ownAge);
        if (c.checkFired) ResidentWindowProc(window, WM_TIMER, NudgeCheckTimerId, 0);

        PlayedNow = c.now;
        if (c.userAge != NoUserInput) PlayedLastInput = (DWORD)(c.now - c.userAge);
        PlayedHeldKey = c.heldKey;
        ClearRecordedInput();
        DWORD skipped = GetTickCount();
        EXPECT_EQ(c.nudges ? 2 : 0, Tick(JiggleTimerId)) << c.what;
        if (!c.rearm) continue;
        PlayedNow = c.now + c.rearm;
        RecordedInput seen[8];
        ASSERT_TRUE(WaitUntil(EventBoundMs, [&] {
            DispatchWaitingMessages();
            return RecordedInputCount() >= 2;
        })) << c.what;
        ASSERT_EQ(2, c.distance ? RecordedMouseMoves(seen, 8) : RecordedShiftEvents(seen, 8)) << c.what;
        EXPECT_GE(seen[0].tick - skipped, c.rearm - 30) << c.what;
        EXPECT_LT(seen[0].tick - skipped, (DWORD)PlayedInterval) << c.what;
    }
}

// A bounded session, played through the session: the local clock (still,
// or running on from where a test set it), the power source and the
// watched program.
struct Moment {
    WORD day, hour, minute, second;  // of December 2026
};

static ULONGLONG PlayedClock;  // FILETIME units of the local clock
static bool PlayedClockRuns;
static DWORD PlayedClockAnchor;
static int PlayedLineStatus;  // ACLineStatus, or -1: the call fails
static int PlayedWatched;     // 1 runs, 0 gone, -1 the list cannot be read

static void SetPlayedClock(const Moment& m, WORD milliseconds = 0) {
    SYSTEMTIME t = {2026, 12, 0, m.day, m.hour, m.minute, m.second, milliseconds};
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    PlayedClock = ((ULONGLONG)f.dwHighDateTime << 32) | f.dwLowDateTime;
    PlayedClockAnchor = GetTickCount();
}

static void WINAPI PlayedLocalTime(LPSYSTEMTIME time) {
    ULONGLONG now = PlayedClock + (PlayedClockRuns ? (ULONGLONG)(GetTickCount() - PlayedClockAnchor) * 10000 : 0);
    FILETIME f = {(DWORD)now, (DWORD)(now >> 32)};
    FileTimeToSystemTime(&f, time);
}

static bool PlayedPowerStatus(SYSTEM_POWER_STATUS* status) {
    status->ACLineStatus = (BYTE)PlayedLineStatus;
    return PlayedLineStatus >= 0;
}

static bool PlayedProcessRuns(const wchar_t* name, bool* runs) {
    *runs = PlayedWatched == 1 && lstrcmpiW(name, L"Render.EXE") == 0;
    return PlayedWatched >= 0;
}

static void PlayBoundedSession(const NudgeBounds& bounds) {
    SessionBounds = bounds;
    Session.getTickCount = PlayedTickCount;
    Session.lastInputTick = PlayedInputTick;
    Session.getLocalTime = PlayedLocalTime;
    Session.processRuns = PlayedProcessRuns;
    Session.setThreadExecutionState = CountedPowerCall;
    Power.systemPowerStatus = PlayedPowerStatus;
    PlayedInputKnown = true;
    PlayedClockRuns = false;
}

// /HOURS from H:00 to H:00 on `days` (0: every day), /AC as told.
static NudgeBounds Hours(int fromHour, int toHour, unsigned days, bool mainsOnly = false) {
    NudgeBounds b = {};
    b.hasHours = fromHour != toHour;
    b.hoursFromMinute = fromHour * 60;
    b.hoursToMinute = toHour * 60;
    b.days = days;
    b.mainsOnly = mainsOnly;
    return b;
}

const unsigned Friday = 1u << 5;

static NudgeBounds Bounds(bool hasUntil, int untilMinute, int forMinutes, bool mainsOnly, bool watches) {
    NudgeBounds b = {};
    b.hasUntil = hasUntil;
    b.untilMinuteOfDay = untilMinute;
    b.forMinutes = forMinutes;
    b.mainsOnly = mainsOnly;
    if (watches) lstrcpyW(b.whileName, L"render.exe");
    return b;
}

// The tick counter starts just before its wrap, so every span of more
// than four seconds crosses it. Each case starts the session at `start`,
// then one nudge tick comes `ticks` ms later with the clock at `later`.
TEST_F(NudgeTick, BoundedSessionEndsAtTheFirstBoundAndPausesOnBattery) {
    const DWORD StartTicks = 0xFFFFF000;
    const struct {
        const char* what;
        NudgeBounds bounds;
        Moment start, later;
        DWORD ticks;
        int lineStatus, watched;
        bool ends, nudges;
    } cases[] = {
        {"/UNTIL not yet", Bounds(true, 1080, 0, false, false),
         {9, 17, 0, 0}, {9, 17, 59, 59}, 3599000, 1, 1, false, true},
        {"/UNTIL at its minute", Bounds(true, 1080, 0, false, false),
         {9, 17, 0, 0}, {9, 18, 0, 0}, 3600000, 1, 1, true, false},
        {"/UNTIL past midnight, not yet", Bounds(true, 10, 0, false, false),
         {9, 23, 30, 0}, {10, 0, 9, 59}, 2399000, 1, 1, false, true},
        {"/UNTIL past midnight, reached", Bounds(true, 10, 0, false, false),
         {9, 23, 30, 0}, {10, 0, 10, 0}, 2400000, 1, 1, true, false},
        {"/UNTIL of the start's own minute is tomorrow", Bounds(true, 1080, 0, false, false),
         {9, 18, 0, 0}, {9, 18, 0, 30}, 30000, 1, 1, false, true},
        {"/UNTIL a minute before the start is tomorrow", Bounds(true, 1079, 0, false, false),
         {9, 18, 0, 0}, {10, 17, 58, 0}, 600000, 1, 1, false, true},
        {"clock set back before the start", Bounds(true, 1080, 0, false, false),
         {9, 17, 0, 0}, {9, 16, 0, 0}, 60000, 1, 1, false, true},
        {"clock set forward past /UNTIL", Bounds(true, 1080, 0, false, false),
         {9, 17, 0, 0}, {9, 19, 0, 0}, 60000, 1, 1, true, false},
        {"/FOR not yet", Bounds(false, 0, 1, false, false), {9, 12, 0, 0}, {9, 12, 0, 59}, 59999, 1, 1, false, true},
        {"/FOR reached across the wrap", Bounds(false, 0, 1, false, false),
         {9, 12, 0, 0}, {9, 12, 1, 0}, 60000, 1, 1, true, false},
        {"/FOR reached, clock set back", Bounds(false, 0, 1, false, false),
         {9, 12, 0, 0}, {9, 11, 0, 0}, 60000, 1, 1, true, false},
        {"/FOR not moved by a clock set forward", Bounds(false, 0, 60, false, false),
         {9, 12, 0, 0}, {10, 12, 0, 0}, 60000, 1, 1, false, true},
        {"resumed past the /FOR end", Bounds(false, 0, 60, false, false),
         {9, 12, 0, 0}, {9, 17, 0, 0}, 18000000, 1, 1, true, false},
        {"/AC on battery", Bounds(false, 0, 0, true, false), {9, 12, 0, 0}, {9, 12, 0, 3}, 3000, 0, 1, false, false},
        {"/AC on mains", Bounds(false, 0, 0, true, false), {9, 12, 0, 0}, {9, 12, 0, 3}, 3000, 1, 1, false, true},
        {"/AC, power source unknown", Bounds(false, 0, 0, true, false),
         {9, 12, 0, 0}, {9, 12, 0, 3}, 3000, 255, 1, false, true},
        {"/AC, no power status", Bounds(false, 0, 0, true, false),
         {9, 12, 0, 0}, {9, 12, 0, 3}, 3000, -1, 1, false, true},
        {"battery without /AC", Bounds(false, 0, 0, false, false),
         {9, 12, 0, 0}, {9, 12, 0, 3}, 3000, 0, 1, false, true},
        {"/WHILE, it still runs", Bounds(false, 0, 0, false, true),
         {9, 12, 0, 0}, {9, 12, 0, 10}, 10000, 1, 1, false, true},
        {"/WHILE, the last one gone", Bounds(false, 0, 0, false, true),
         {9, 12, 0, 0}, {9, 12, 0, 10}, 10000, 1, 0, true, false},
        {"/WHILE, gone, next look not due", Bounds(false, 0, 0, false, true),
         {9, 12, 0, 0}, {9, 12, 0, 5}, 5000, 1, 0, false, true},
        {"/WHILE, the list cannot be read", Bounds(false, 0, 0, false, true),
         {9, 12, 0, 0}, {9, 12, 0, 10}, 10000, 1, -1, false, true},
        {"/FOR reached while /AC pauses", Bounds(false, 0, 1, true, false),
         {9, 12, 0, 0}, {9, 12, 1, 0}, 60000, 0, 1, true, false},
        {"/UNTIL before /FOR", Bounds(true, 1050, 60, false, false),
         {9, 17, 0, 0}, {9, 17, 30, 0}, 1800000, 1, 1, true, false},
        {"/FOR before /UNTIL", Bounds(true, 1080, 1, false, true),
         {9, 17, 0, 0}, {9, 17, 1, 0}, 60000, 1, 1, true, false},
        // 9 December 2026 is a Wednesday.
        {"/HOURS, its first minute", Hours(9, 18, 0), {9, 8, 0, 0}, {9, 9, 0, 0}, 3600000, 1, 1, false, true},
        {"/HOURS, over", Hours(9, 18, 0), {9, 8, 0, 0}, {9, 18, 0, 0}, 3600000, 1, 1, false, false},
        {"/HOURS, not yet", Hours(9, 18, 0), {9, 8, 0, 0}, {9, 8, 59, 0}, 3600000, 1, 1, false, false},
        {"/HOURS across midnight, evening", Hours(22, 6, 0), {9, 8, 0, 0}, {9, 23, 0, 0}, 3000, 1, 1, false, true},
        {"/HOURS across midnight, morning", Hours(22, 6, 0), {9, 8, 0, 0}, {10, 5, 59, 0}, 3000, 1, 1, false, true},
        {"/HOURS across midnight, over", Hours(22, 6, 0), {9, 8, 0, 0}, {10, 6, 0, 0}, 3000, 1, 1, false, false},
        {"Friday's night, Saturday morning", Hours(22, 6, Friday), {9, 8, 0, 0}, {12, 5, 0, 0}, 3000, 1, 1, false, true},
        {"Friday's night, Saturday night", Hours(22, 6, Friday), {9, 8, 0, 0}, {12, 23, 0, 0}, 3000, 1, 1, false, false},
        {"Friday's night, Friday morning", Hours(22, 6, Friday), {9, 8, 0, 0}, {11, 5, 0, 0}, 3000, 1, 1, false, false},
        {"/DAYS:MON-FRI on Friday", Hours(0, 0, MondayToFriday), {9, 8, 0, 0}, {11, 23, 59, 0}, 3000, 1, 1, false, true},
        {"/DAYS:MON-FRI on Saturday", Hours(0, 0, MondayToFriday), {9, 8, 0, 0}, {12, 0, 0, 0}, 3000, 1, 1, false, false},
        {"/HOURS with /AC on mains", Hours(9, 18, 0, true), {9, 8, 0, 0}, {9, 12, 0, 0}, 3000, 1, 1, false, true},
        {"/HOURS with /AC on battery", Hours(9, 18, 0, true), {9, 8, 0, 0}, {9, 12, 0, 0}, 3000, 0, 1, false, false},
    };
    NudgeDistance = 1;
    for (const auto& c : cases) {
        DestroyCheckingWindow(window);
        PlayBoundedSession(c.bounds);
        PlayedNow = StartTicks;
        SetPlayedClock(c.start);
        PlayedWatched = 1;
        ASSERT_TRUE(BeginSessionBounds()) << c.what;
        window = CreateCheckingWindow();
        PlayedNow = StartTicks + c.ticks;
        PlayedLastInput = PlayedNow - 10 * PlayedInterval;
        SetPlayedClock(c.later);
        PlayedLineStatus = c.lineStatus;
        PlayedWatched = c.watched;
        PowerCalls = 0;
        ClearRecordedInput();
        EXPECT_EQ(c.nudges ? 2 : 0, Tick(JiggleTimerId)) << c.what;
        EXPECT_EQ(c.ends, !IsWindow(window)) << c.what;
        // Nothing checked without a nudge: no check started, no power call.
        EXPECT_EQ(c.nudges, KillTimer(window, NudgeCheckTimerId) != FALSE) << c.what;
        EXPECT_EQ(0, PowerCalls) << c.what;
    }
}

TEST_F(NudgeTick, WatchedProgramMustRunAtTheStart) {
    PlayBoundedSession(Bounds(false, 0, 0, false, true));
    PlayedWatched = 0;
    EXPECT_FALSE(BeginSessionBounds());
    PlayedWatched = -1;
    EXPECT_TRUE(BeginSessionBounds()) << "a list that cannot be read";
    PlayedWatched = 1;
    EXPECT_TRUE(BeginSessionBounds());
    SessionBounds = NudgeBounds();
    PlayedWatched = 0;
    EXPECT_TRUE(BeginSessionBounds()) << "no /WHILE";
}

// The clock set to just before the end: WM_TIMECHANGE re-aims the end
// timer from a minute ahead to that moment, and the session ends then,
// not at the next nudge (three seconds on). A resume past the end ends it
// at once; each power broadcast is answered TRUE.
TEST_F(NudgeTick, EndTimerIsReaimedWhenTheClockChanges) {
    PlayBoundedSession(Bounds(true, 1080, 0, false, false));
    Session.getTickCount = GetTickCount;
    DestroyCheckingWindow(window);
    SetPlayedClock({9, 17, 0, 0});
    ASSERT_TRUE(BeginSessionBounds());
    window = CreateCheckingWindow();
    SetTimer(window, JiggleTimerId, PlayedInterval, NULL);
    ClearRecordedInput();
    EXPECT_EQ(TRUE, ResidentWindowProc(window, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0));
    ASSERT_TRUE(IsWindow(window));

    PlayedClockRuns = true;
    SetPlayedClock({9, 17, 59, 59}, 400);
    DWORD changed = GetTickCount();
    ResidentWindowProc(window, WM_TIMECHANGE, 0, 0);
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] {
        DispatchWaitingMessages();
        return !IsWindow(window);
    }));
    DWORD took = GetTickCount() - changed;
    EXPECT_GE(took, 500u);
    EXPECT_LT(took, (DWORD)PlayedInterval);
    EXPECT_EQ(0, RecordedInputCount());

    window = CreateCheckingWindow();
    SetPlayedClock({9, 18, 30, 0});
    EXPECT_EQ(TRUE, ResidentWindowProc(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0));
    EXPECT_FALSE(IsWindow(window));
}

// The power requests, played: what the session holds after each call,
// and whether it ever asked for the display or used another handle.
static bool RequestCreated, RequestHeld, BadRequest;
static int RequestCalls;

static HANDLE WINAPI PlayedCreateRequest(PREASON_CONTEXT reason) {
    EXPECT_EQ(0, wcsncmp(L"SWAYPIX: ", reason->Reason.SimpleReasonString, 9));
    return RequestCreated ? (HANDLE)0x5455 : INVALID_HANDLE_VALUE;
}

static BOOL WINAPI PlayedSetOrClearRequest(HANDLE request, POWER_REQUEST_TYPE type) {
    ++RequestCalls;
    BadRequest |= request != (HANDLE)0x5455 || type != PowerRequestSystemRequired;
    RequestHeld = !RequestHeld;  // sets are counted: each must be cleared before the next
    return TRUE;
}

static EXECUTION_STATE WINAPI PlayedExecutionState(EXECUTION_STATE flags) {
    ++PowerCalls;
    BadRequest |= (flags & ES_DISPLAY_REQUIRED) != 0;
    if (flags & ES_CONTINUOUS) RequestHeld = (flags & ES_SYSTEM_REQUIRED) != 0;
    return ES_CONTINUOUS;
}

// Two timers, two power broadcasts, and the window's creation and end.
enum SessionEvent { NudgeTimer, CheckTimer, AutomaticResume, UserResume, Create, Destroy };
static const WPARAM SessionEventParams[] = {JiggleTimerId, NudgeCheckTimerId, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND};

// One step of a session: the event at tick `now`, the clock at `clock`
// (9 December 2026 is a Wednesday), the last input at `lastInput` and the
// power source; the input events it sent and whether a request is held
// after it.
struct SessionStep {
    const char* what;
    SessionEvent event;
    DWORD now, lastInput;
    Moment clock;
    int lineStatus, sent;
    bool held;
};

// Played on the user's own desktop, where a dropped nudge's check would
// call the power manager, and with power requests to be had.
static void PlaySessionSteps(HWND* window, const NudgeBounds& bounds, const SessionStep* steps, size_t count) {
    PlayBoundedSession(bounds);
    Session.inputDesktopIsUsers = [] { return true; };
    Session.setThreadExecutionState = PlayedExecutionState;
    Session.powerCreateRequest = PlayedCreateRequest;
    Session.powerSetRequest = Session.powerClearRequest = PlayedSetOrClearRequest;
    NudgeDistance = 1;
    PowerCalls = RequestCalls = 0;
    for (size_t i = 0; i < count; ++i) {
        const SessionStep& step = steps[i];
        PlayedNow = step.now;
        PlayedLastInput = step.lastInput;
        SetPlayedClock(step.clock);
        PlayedLineStatus = step.lineStatus;
        ClearRecordedInput();
        if (step.event == Create) *window = CreateCheckingWindow();
        if (step.event == Destroy) DestroyCheckingWindow(*window);
        if (step.event < Create)
            ResidentWindowProc(*window, step.event < AutomaticResume ? WM_TIMER : WM_POWERBROADCAST,
                               SessionEventParams[step.event], 0);
        SettleRecordedInput();
        EXPECT_EQ(step.sent, RecordedInputCount()) << step.what;
        EXPECT_EQ(step.held, RequestHeld) << step.what;
    }
    EXPECT_FALSE(BadRequest);
}

// After Windows woke the PC by itself nothing is sent and no check or
// power call lights the display, until the user is back: input newer
// than the wake, or the user's own resume. Every nudge here looks
// dropped, so a check left pending would call the power manager: the
// only one that comes due is cancelled by the wake.
TEST_F(NudgeTick, UnattendedWakeSendsNothingUntilTheUserIsBack) {
    const SessionStep steps[] = {
        {"a nudge before the sleep", NudgeTimer, 1000000, 900000, {9, 12, 0, 0}, 1, 2, false},
        {"automatic resume", AutomaticResume, 5000000, 900000, {9, 13, 0, 0}, 1, 0, false},
        {"the check pending at the resume", CheckTimer, 5000100, 900000, {9, 13, 0, 0}, 1, 0, false},
        {"no input since the wake", NudgeTimer, 5010000, 900000, {9, 13, 0, 10}, 1, 0, false},
        {"input newer than the wake", NudgeTimer, 5020000, 5010500, {9, 13, 0, 20}, 1, 2, false},
        {"automatic resume again", AutomaticResume, 9000000, 5010500, {9, 14, 0, 0}, 1, 0, false},
        {"the user's resume", UserResume, 9000100, 5010500, {9, 14, 0, 0}, 1, 0, false},
        {"nudges again", NudgeTimer, 9010000, 5010500, {9, 14, 0, 10}, 1, 2, false},
    };
    PlaySessionSteps(&window, NudgeBounds(), steps, sizeof steps / sizeof *steps);
    EXPECT_EQ(0, PowerCalls);
}

// /SYSTEM sends no input and holds a system request while /AC and /HOURS
// hold and the user is present, with a power request where Windows makes
// one and the execution state where it does not.
TEST_F(NudgeTick, SystemModeHoldsARequestOnlyWhileTheSessionIsActive) {
    const SessionStep steps[] = {
        {"taken at the start", Create, 1000000, 900000, {9, 12, 0, 0}, 1, 0, true},
        {"held, not taken twice", NudgeTimer, 1001500, 900000, {9, 12, 0, 1}, 1, 0, true},
        {"on battery with /AC", NudgeTimer, 1003000, 900000, {9, 12, 0, 3}, 0, 0, false},
        {"mains again", NudgeTimer, 1006000, 900000, {9, 12, 0, 6}, 1, 0, true},
        {"outside the hours", NudgeTimer, 1009000, 900000, {9, 18, 0, 0}, 1, 0, false},
        {"inside again", NudgeTimer, 1012000, 900000, {10, 9, 0, 0}, 1, 0, true},
        {"automatic resume", AutomaticResume, 5000000, 900000, {10, 10, 0, 0}, 1, 0, false},
        {"no input since the wake", NudgeTimer, 5003000, 900000, {10, 10, 0, 3}, 1, 0, false},
        {"the user's resume", UserResume, 5004000, 900000, {10, 10, 0, 4}, 1, 0, true},
        {"the end of the session", Destroy, 5005000, 900000, {10, 10, 0, 5}, 1, 0, false},
    };
    NudgeBounds systemOnly = Hours(9, 18, 0, true);
    systemOnly.systemOnly = true;
    // Without a request first: one made is kept for the process.
    for (bool created : {false, true}) {
        DestroyCheckingWindow(window);
        RequestCreated = created;
        PlaySessionSteps(&window, systemOnly, steps, sizeof steps / sizeof *steps);
        window = CreateCheckingWindow();  // for TearDown; /SYSTEM takes nothing outside the hours
        EXPECT_EQ(created, RequestCalls > 0) << created;
    }
}
