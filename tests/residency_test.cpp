// The real swaypix.exe, started as a user or a shortcut would start it:
// resident with its hidden window and timer, ended by a second start.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/resident_window.h"
#include "tests/support/input_recorder.h"
#include "tests/support/linux_tools.h"
#include "tests/support/program_driver.h"
#include "tests/support/test_files.h"
#include "tests/support/wait.h"

static const POINT Home = {300, 200};

// The modules another process has loaded, their names in lower case.
static std::vector<std::string> LoadedModules(DWORD processId) {
    std::vector<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry))
        names.push_back(CharLowerA(entry.szModule));
    CloseHandle(snapshot);
    return names;
}

static bool Has(const std::vector<std::string>& names, const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A window of the resident's name whose thread does not answer: the
// second start must say it could not end residency, not claim success.
static HANDLE HungWindowReady;
static HANDLE ReleaseHungWindow;

static DWORD WINAPI HungResidentThread(LPVOID) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "SWAY_PIX";
    RegisterClassA(&wc);
    HWND w = CreateWindowA("SWAY_PIX", "SWAY_PIX", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, NULL, NULL,
                           wc.hInstance, NULL);
    SetEvent(HungWindowReady);
    WaitForSingleObject(ReleaseHungWindow, INFINITE);  // not pumping messages
    DestroyWindow(w);
    UnregisterClassA("SWAY_PIX", wc.hInstance);
    return 0;
}

class Residency : public ::testing::Test {
protected:
    PROCESS_INFORMATION resident = {};
    DWORD startedAt = 0;
    HANDLE hungThread = NULL;

    void SetUp() override {
        EndResidentInstances();
        StartInputRecorder();
        ASSERT_TRUE(PlacePointer(Home.x, Home.y));
    }
    void TearDown() override {
        ReleaseHungResident();
        StopInputRecorder();
        EndResidentInstances();
        CloseProcess(resident);
    }
    HWND StartResident(const std::string& arguments) {
        ClearRecordedInput();
        startedAt = GetTickCount();
        resident = StartSwaypix(arguments);
        return WaitForResidentWindow(EventBoundMs);
    }
    // Released in TearDown, however the test ends: a window of that name
    // left behind would stand for the resident in every later test.
    bool StartHungResident() {
        HungWindowReady = CreateEventA(NULL, TRUE, FALSE, NULL);
        ReleaseHungWindow = CreateEventA(NULL, TRUE, FALSE, NULL);
        hungThread = CreateThread(NULL, 0, HungResidentThread, NULL, 0, NULL);
        return WaitForSingleObject(HungWindowReady, EventBoundMs) == WAIT_OBJECT_0;
    }
    void ReleaseHungResident() {
        if (!hungThread) return;
        SetEvent(ReleaseHungWindow);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hungThread, EventBoundMs));
        CloseHandle(hungThread);
        CloseHandle(HungWindowReady);
        CloseHandle(ReleaseHungWindow);
        hungThread = NULL;
    }
    int MovesSeen(RecordedInput* moves, int capacity, int atLeast, DWORD timeoutMs) {
        WaitUntil(timeoutMs, [&] { return RecordedMouseMoves(moves, capacity) >= atLeast; });
        return RecordedMouseMoves(moves, capacity);
    }
};

TEST_F(Residency, HiddenWindowNudgesOnePixelEveryPeriod) {
    const DWORD period = 500;
    HWND w = StartResident("500");
    ASSERT_TRUE(w != NULL);
    EXPECT_FALSE(IsWindowVisible(w));
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ("SWAY_PIX", cls);
    EXPECT_EQ(L"SWAY_PIX", WindowTextW(w));
    EXPECT_FALSE(ShowsAnyWindow(resident.dwProcessId, 0));

    RecordedInput moves[64];
    int n = MovesSeen(moves, 64, 6, EventBoundMs);
    ASSERT_GE(n, 6);
    // No nudge at start: the first comes one full period later. Load only
    // makes every figure later, so the bounds are on the start and on the
    // mean period, never on one late tick.
    EXPECT_GE(moves[0].tick - startedAt, period * 7 / 10);
    for (int i = 0; i + 1 < n; i += 2) {
        EXPECT_TRUE(moves[i].injected);
        EXPECT_EQ(Home.x + 1, moves[i].point.x) << i;
        EXPECT_EQ(Home.y, moves[i].point.y) << i;
        EXPECT_EQ(Home.x, moves[i + 1].point.x) << i;
    }
    int nudges = n / 2;
    DWORD meanGap = (moves[(nudges - 1) * 2].tick - moves[0].tick) / (nudges - 1);
    EXPECT_GE(meanGap, period * 7 / 10);
    EXPECT_LE(meanGap, period * 10);
    // Between nudges the pointer rests where it was; a look in the middle
    // of one may find it a pixel away.
    EXPECT_TRUE(WaitUntil(EventBoundMs, [] {
        POINT p;
        return GetCursorPos(&p) && p.x == Home.x && p.y == Home.y;
    }));
    // Resident from the command line, it never loads the shell's libraries.
    std::vector<std::string> modules = LoadedModules(resident.dwProcessId);
    ASSERT_TRUE(Has(modules, "swaypix.exe") && Has(modules, "user32.dll")) << modules.size() << " modules";
    EXPECT_FALSE(Has(modules, "shell32.dll"));
    EXPECT_FALSE(Has(modules, "ole32.dll"));
}

struct DistanceCase {
    const char* arguments;
    int distance;
};

// The C runtime splits the command line; atoi reads each piece.
TEST_F(Residency, CommandLineSetsTheDistance) {
    const DistanceCase cases[] = {
        {"300 5", 5},
        {"300 -3", -3},
        {"\"300\" \"4\"", 4},
        {"  300abc 2xyz", 2},
        {"300 2 9 9", 2},    // further arguments are ignored
        {"\"300 7\"", 1},    // one quoted argument: the distance stays 1
        {"+300 +6", 6},
    };
    for (const DistanceCase& c : cases) {
        HWND w = StartResident(c.arguments);
        ASSERT_TRUE(w != NULL) << c.arguments;
        RecordedInput moves[16];
        ASSERT_GE(MovesSeen(moves, 16, 2, EventBoundMs), 2) << c.arguments;
        EXPECT_EQ(Home.x + c.distance, moves[0].point.x) << c.arguments;
        EXPECT_EQ(Home.x, moves[1].point.x) << c.arguments;
        EndResidentInstances();
        CloseProcess(resident);
        ASSERT_TRUE(PlacePointer(Home.x, Home.y));
    }
}

// Shift as the whole desktop sees it, which a tick's GetKeyState reads.
static bool ShiftHeld() {
    return GetAsyncKeyState(VK_SHIFT) < 0;
}

// While the user holds Shift for several intervals the program taps
// nothing (the ticks come, find the user's input fresh or the key held,
// and pass); after the release the taps come back. The hooks see the
// events in the order they were sent, so a tap while Shift was held
// would stand between the user's press and release. The press follows a
// tap at once, far from the next tick.
TEST_F(Residency, ShiftModeTapsShiftUnlessTheUserHoldsIt) {
    const DWORD interval = 500;
    HWND w = StartResident("500 0");
    ASSERT_TRUE(w != NULL);
    RecordedInput keys[256];
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return RecordedShiftEvents(keys, 256) >= 2; })) << "a first tap";
    keybd_event(VK_SHIFT, 0, 0, 0);
    ASSERT_TRUE(WaitUntil(EventBoundMs, ShiftHeld));
    SettleRecordedInput();
    int pressed = RecordedShiftEvents(keys, 256);
    Sleep(4 * interval);  // ticks come and must pass
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(WaitUntil(EventBoundMs, [] { return !ShiftHeld(); }));
    SettleRecordedInput();
    int released = RecordedShiftEvents(keys, 256);
    EXPECT_EQ(pressed + 1, released) << "only the user's release between press and release";
    EXPECT_TRUE(keys[released - 1].keyUp);
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return RecordedShiftEvents(keys, 256) >= released + 2; }))
        << "the taps come back after the release";
    EXPECT_FALSE(keys[released].keyUp);
    EXPECT_TRUE(keys[released + 1].keyUp);
    RecordedInput moves[4];
    EXPECT_EQ(0, RecordedMouseMoves(moves, 4));
}

// A negative interval is no interval: the set-up dialog asks for one
// instead of a resident instance that would never nudge.
TEST_F(Residency, NegativeIntervalShowsTheSetupDialog) {
    PROCESS_INFORMATION setup = StartSwaypix("-1000");
    HWND dialog = WaitForDialogOf(setup.dwProcessId, EventBoundMs);
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(L"SWAYPIX", WindowTextW(dialog));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
    PressDialogButton(dialog, IDCANCEL);
    EXPECT_EQ(0u, WaitForExit(setup, EventBoundMs));
    CloseProcess(setup);
}

// A switch the program cannot follow is named in the user's language, with
// the accepted forms, and nothing becomes resident. The name outside the
// system code page shows the wide command line arrives whole.
TEST_F(Residency, ARefusedSwitchIsNamedAndNothingBecomesResident) {
    const wchar_t* lines[][2] = {
        {L"60000 /UNTIL:25:00", L"/UNTIL:25:00"},
        {L"/AC", L"/AC"},
        {L"60000 /WHILE:C:\\caf\x00E9.exe", L"/WHILE:C:\\caf\x00E9.exe"},
        {L"60000 \xFF0F" L"AC", L"\xFF0F" L"AC"},
        {L"60000\x3000\x30FB" L"AC", L"\x30FB" L"AC"},
        {L"60000 /HOURS:9:00-9:00", L"/HOURS:9:00-9:00"},
    };
    for (const auto& line : lines) {
        PROCESS_INFORMATION starter = StartProgram(WideOf(BuiltProgramPath("swaypix.exe")), line[0]);
        HWND box = WaitForDialogOf(starter.dwProcessId, EventBoundMs);
        ASSERT_TRUE(box != NULL) << line[0];
        EXPECT_EQ(L"SWAY_PIX", WindowTextW(box));
        std::wstring text = MessageBoxTextW(box);
        EXPECT_EQ(0u, text.find(std::wstring(L"引数「") + line[1] + L"」は使えません。")) << text;
        EXPECT_NE(std::wstring::npos, text.find(L"[/UNTIL:時:分] [/FOR:分] [/HOURS:時:分-時:分] [/DAYS:曜日]"
                                                L" [/WHILE:名前.exe] [/AC] [/SYSTEM]")) << text;
        EXPECT_TRUE(MessageBoxShowsIcon(box, IDI_EXCLAMATION));
        EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX")) << line[0];
        PressDialogButton(box, IDOK);
        EXPECT_EQ(0u, WaitForExit(starter, EventBoundMs)) << line[0];
        EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX")) << line[0];
        CloseProcess(starter);
    }
}

TEST_F(Residency, SilentToggleEndsTheResidentInstance) {
    const char* forms[] = {"/X", "/x"};
    for (const char* form : forms) {
        ASSERT_TRUE(StartResident("60000") != NULL);
        PROCESS_INFORMATION toggle = StartSwaypix(form);
        EXPECT_FALSE(ShowsAnyWindow(toggle.dwProcessId, 300)) << form;
        EXPECT_EQ(0u, WaitForExit(toggle, EventBoundMs)) << form;
        EXPECT_EQ(0u, WaitForExit(resident, EventBoundMs)) << form;
        EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX")) << form;
        CloseProcess(toggle);
        CloseProcess(resident);
    }
}

TEST_F(Residency, SilentToggleWithNothingResidentExitsAtOnce) {
    PROCESS_INFORMATION toggle = StartSwaypix("/X");
    EXPECT_FALSE(ShowsAnyWindow(toggle.dwProcessId, 200));
    EXPECT_EQ(0u, WaitForExit(toggle, EventBoundMs));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
    CloseProcess(toggle);
}

// Finds the question of a second start and checks its text and buttons.
static HWND WaitForEndQuestion(const PROCESS_INFORMATION& starter) {
    HWND box = WaitForDialogOf(starter.dwProcessId, EventBoundMs);
    if (!box) return NULL;
    ExpectMessageBox(box, L"SWAY_PIX", L"常駐を解除してもよろしいですか。", IDI_QUESTION);
    EXPECT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO));
    return box;
}

TEST_F(Residency, SecondStartAsksAndNoKeepsNudging) {
    // "/X foo" is not the silent form; nothing is read, so no switch is refused.
    const char* starts[] = {"", "60000", "/X foo", "60000 /UNTIL:25:00"};
    ASSERT_TRUE(StartResident("400") != NULL);
    for (const char* arguments : starts) {
        PROCESS_INFORMATION starter = StartSwaypix(arguments);
        HWND box = WaitForEndQuestion(starter);
        ASSERT_TRUE(box != NULL) << arguments;
        PressDialogButton(box, IDNO);
        EXPECT_EQ(0u, WaitForExit(starter, EventBoundMs)) << arguments;
        CloseProcess(starter);
        ClearRecordedInput();
        RecordedInput moves[8];
        EXPECT_GE(MovesSeen(moves, 8, 2, EventBoundMs), 2) << arguments;
        EXPECT_EQ(STILL_ACTIVE, WaitForExit(resident, 0)) << arguments;
    }
}

// Also when the session ended while the question was up (here by a third
// start with /X): the user's answer came true either way.
TEST_F(Residency, SecondStartYesEndsResidencyThenConfirms) {
    for (bool outlived : {false, true}) {
        ASSERT_TRUE(StartResident("400 0") != NULL);
        PROCESS_INFORMATION starter = StartSwaypix("60000");
        HWND question = WaitForEndQuestion(starter);
        ASSERT_TRUE(question != NULL);
        if (outlived) {
            PROCESS_INFORMATION toggle = StartSwaypix("/X");
            EXPECT_EQ(0u, WaitForExit(toggle, EventBoundMs));
            EXPECT_EQ(0u, WaitForExit(resident, EventBoundMs));
            CloseProcess(toggle);
        }
        PressDialogButton(question, IDYES);

        HWND done = NULL;
        ASSERT_TRUE(WaitUntil(EventBoundMs, [&] {
            done = WaitForDialogOf(starter.dwProcessId, 0);
            return done != NULL && done != question && IsWindow(done);
        }));
        // The confirmation comes only after the resident instance has quit.
        EXPECT_EQ(0u, WaitForExit(resident, EventBoundMs));
        ExpectMessageBox(done, L"SWAY_PIX", L"常駐解除しました。", IDI_INFORMATION);
        EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
        PressDialogButton(done, IDOK);
        EXPECT_EQ(0u, WaitForExit(starter, EventBoundMs));
        // The starter never became resident itself.
        EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
        CloseProcess(starter);
        CloseProcess(resident);
    }
}

TEST_F(Residency, SecondStartReportsAnInstanceThatDoesNotAnswer) {
    ASSERT_TRUE(StartHungResident());

    PROCESS_INFORMATION starter = StartSwaypix("");
    HWND question = WaitForEndQuestion(starter);
    ASSERT_TRUE(question != NULL);
    PressDialogButton(question, IDYES);
    HWND failed = NULL;
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] {
        failed = WaitForDialogOf(starter.dwProcessId, 0);
        return failed != NULL && failed != question && IsWindow(failed);
    }));
    ExpectMessageBox(failed, L"SWAY_PIX", L"常駐を解除できませんでした。", IDI_ERROR);
    PressDialogButton(failed, IDOK);
    EXPECT_EQ(0u, WaitForExit(starter, EventBoundMs));
    CloseProcess(starter);
}

// Found resident at 5 s and at 45 s, nudging; gone by 70 s, with exit
// code 0 and no message (a message box would hold the process).
TEST_F(Residency, ForOneMinuteEndsByItself) {
    ASSERT_TRUE(StartResident("1000 1 /FOR:1") != NULL);
    for (DWORD at : {5000u, 45000u}) {
        Sleep(at - (GetTickCount() - startedAt));
        EXPECT_TRUE(FindWindowA("SWAY_PIX", "SWAY_PIX") != NULL) << at;
        EXPECT_EQ(STILL_ACTIVE, WaitForExit(resident, 0)) << at;
    }
    RecordedInput moves[8];
    EXPECT_GE(MovesSeen(moves, 8, 2, 0), 2);
    // Watching the bounds loads nothing of the dialog's (Wine's own user32
    // loads uxtheme into every program, resident or not).
    std::vector<std::string> modules = LoadedModules(resident.dwProcessId);
    ASSERT_TRUE(Has(modules, "user32.dll")) << modules.size() << " modules";
    for (const char* dialogs : {"comctl32.dll", "shell32.dll", "ole32.dll"})
        EXPECT_FALSE(Has(modules, dialogs)) << dialogs;
    EXPECT_EQ(0u, WaitForExit(resident, 70000 - (GetTickCount() - startedAt)));
    EXPECT_GE(GetTickCount() - startedAt, 59000u);
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
}

// hold_open.exe stands for the render the session waits for; the name is
// compared without case.
TEST_F(Residency, WhileEndsSoonAfterTheWatchedProgramExits) {
    std::wstring held = WideOf(BuiltProgramPath("residency_tests.exe"));
    HeldFile holder = {};
    ASSERT_TRUE(HoldFileOpen(held, &holder));
    ASSERT_TRUE(StartResident("1000 /WHILE:HOLD_OPEN.EXE") != NULL);
    RecordedInput moves[8];
    EXPECT_GE(MovesSeen(moves, 8, 2, EventBoundMs), 2);
    Sleep(11000);  // past the first look after the start
    EXPECT_EQ(STILL_ACTIVE, WaitForExit(resident, 0)) << "while the watched program runs";
    ReleaseHeldFile(holder);
    DWORD exited = GetTickCount();
    EXPECT_EQ(0u, WaitForExit(resident, EventBoundMs));
    EXPECT_LE(GetTickCount() - exited, 15000u + 5000u);  // a loaded machine may lag a few seconds
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
}

TEST_F(Residency, WhileNamingNoRunningProgramSaysSoAndDoesNotStay) {
    PROCESS_INFORMATION starter = StartSwaypix("1000 /WHILE:no-such-render.exe");
    HWND box = WaitForDialogOf(starter.dwProcessId, EventBoundMs);
    ASSERT_TRUE(ExpectMessageBox(box, L"SWAY_PIX", L"no-such-render.exe が実行されていないため、常駐を開始しませんでした。",
                                 IDI_EXCLAMATION));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
    PressDialogButton(box, IDOK);
    EXPECT_EQ(0u, WaitForExit(starter, EventBoundMs));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
    CloseProcess(starter);
}

// Wine reads the power source from /sys/class/power_supply in the calling
// process: a folder of the test's own, bound over it in a private mount
// namespace, shows that one resident a battery while the wineserver runs
// outside, and what AC/online says is read afresh on each call.
static std::string FakePowerFolder() {
    return "/tmp/swaypix-power-" + std::to_string(GetCurrentProcessId());
}

static std::string WriteFakePower(const char* online) {
    std::string d = ShellQuote(FakePowerFolder());
    return RunLinuxCommand("mkdir -p " + d + "/AC " + d + "/BAT0 && cd " + d + " && echo Mains >AC/type && echo " +
                           online + " >AC/online && echo Battery >BAT0/type && echo 1 >BAT0/present" +
                           " && echo Discharging >BAT0/status && echo 5000000 >BAT0/charge_full" +
                           " && echo 900000 >BAT0/charge_now && cat AC/online");
}

static std::string InFakePowerNamespace(const std::string& command) {
    return "unshare -m sh -c " +
           ShellQuote("mount --bind " + ShellQuote(FakePowerFolder()) + " /sys/class/power_supply && " + command);
}

// Started from a Unix shell, it joins this prefix's wineserver and this
// display: the shell has this process's WINEPREFIX and DISPLAY.
static std::string WineStart(const std::string& arguments) {
    return "exec wine " + ShellQuote(UnixPathOf(BuiltProgramPath("swaypix.exe"))) + " " + arguments;
}

TEST_F(Residency, MainsOnlySendsNothingOnBatteryAndNudgesOnMains) {
    ASSERT_EQ("0\n", WriteFakePower("0"));
    std::string probe = RunLinuxCommand(InFakePowerNamespace("cat /sys/class/power_supply/BAT0/charge_now"));
    if (probe != "900000\n") GTEST_SKIP() << "no private mount namespace here (it needs root): " << probe;
    ClearRecordedInput();
    RunLinuxCommand(InFakePowerNamespace(WineStart("500 /AC")) + " >/dev/null 2>&1 &");
    HWND w = WaitForResidentWindow(EventBoundMs);
    ASSERT_TRUE(w != NULL);
    Sleep(3000);  // six intervals on battery
    RecordedInput moves[8];
    EXPECT_EQ(0, RecordedInputCount()) << "on battery";
    EXPECT_TRUE(IsWindow(w));
    ASSERT_EQ("1\n", WriteFakePower("1"));
    EXPECT_GE(MovesSeen(moves, 8, 2, EventBoundMs), 2) << "back on mains";
    RunLinuxCommand("rm -r " + ShellQuote(FakePowerFolder()));
}
