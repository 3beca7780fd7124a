// The set-up dialog of the real swaypix.exe: its resource as built, and
// the running dialog driven as a user would.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/dialog_template.h"
#include "tests/support/input_recorder.h"
#include "tests/support/program_driver.h"
#include "tests/support/shell_handler.h"
#include "tests/support/test_files.h"
#include "tests/support/wait.h"

// ---- The dialog resource as it is stored in the executable ----

struct ExpectedControl {
    int id;
    const wchar_t* className;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    short x, y, cx, cy;
    const wchar_t* text;
};

static const ExpectedControl SetupControls[] = {
    {-1, L"Static", WS_GROUP | SS_LEFT, WS_EX_STATICEDGE, 7, 12, 269, 19,
     L"このプログラムは、一定時間置きにマウスを左右に非常に小さく揺らすことにより、スクリーンセーバ等のプログラムが裏で動き出すのを防ぎます。"},
    {-1, L"Static", WS_GROUP | SS_LEFT, 0, 7, 34, 269, 20,
     L"ここでは、本プログラムを呼び出すためのショートカット（リンク）を作成します。設定と作成場所を選び、「ショートカットを作成」を押してください。"},
    {-1, L"Static", WS_GROUP | SS_LEFT, 0, 7, 60, 92, 8, L"マウスを揺らす間隔(&S)："},
    {IDC_INTERVAL, L"Edit", WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 0, 103, 58, 75, 14, L""},
    {-1, L"Static", WS_GROUP | SS_LEFT, 0, 183, 60, 93, 8, L"秒 (1～2147483)"},
    {IDC_SHIFTMODE, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 76, 267, 10,
     L"マウスを揺らすのではなく、シフトキーを瞬間的に押し離しする(マウスの無い環境用)(&K)"},
    {IDC_UNTIL, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 91, 92, 10, L"時刻で終了(&E)："},
    {IDC_UNTIL_HOUR, L"Edit", WS_BORDER | WS_TABSTOP | WS_DISABLED | ES_NUMBER, 0, 103, 89, 18, 14, L""},
    {-1, L"Static", WS_GROUP | SS_CENTER, 0, 121, 91, 8, 8, L"："},
    {IDC_UNTIL_MINUTE, L"Edit", WS_BORDER | WS_TABSTOP | WS_DISABLED | ES_NUMBER, 0, 129, 89, 18, 14, L""},
    {-1, L"Static", WS_GROUP | SS_LEFT, 0, 152, 91, 124, 8, L"(24時間制 0:00～23:59)"},
    {IDC_FOR, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 107, 92, 10, L"一定時間で終了(&F)："},
    {IDC_FOR_MINUTES, L"Edit", WS_BORDER | WS_TABSTOP | WS_DISABLED | ES_NUMBER, 0, 103, 105, 44, 14, L""},
    {-1, L"Static", WS_GROUP | SS_LEFT, 0, 152, 107, 124, 8, L"分後 (1～10080)"},
    {IDC_MAINS_ONLY, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 123, 267, 10,
     L"AC電源の時だけ動かす(バッテリー駆動中は休む)(&P)"},
    {IDC_HOURS, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 139, 92, 10, L"動かす時間帯(&W)："},
    {IDC_HOURS_FROM_HOUR, L"Edit", WS_BORDER | WS_TABSTOP | WS_DISABLED | ES_NUMBER, 0, 103, 137, 18, 14, L""},
    {-1, L"Static", WS_GROUP | SS_CENTER, 0, 121, 139, 8, 8, L"："},
    {IDC_HOURS_FROM_MINUTE, L"Edit", WS_BORDER | WS_TABSTOP | WS_DISABLED | ES_NUMBER, 0, 129, 137, 18, 14, L""},
    {-1, L"Static", WS_GROUP | SS_CENTER, 0, 147, 139, 12, 8, L"～"},
    {IDC_HOURS_TO_HOUR, L"Edit", WS_BORDER | WS_TABSTOP | WS_DISABLED | ES_NUMBER, 0, 159, 137, 18, 14, L""},
    {-1, L"Static", WS_GROUP | SS_CENTER, 0, 177, 139, 8, 8, L"："},
    {IDC_HOURS_TO_MINUTE, L"Edit", WS_BORDER | WS_TABSTOP | WS_DISABLED | ES_NUMBER, 0, 185, 137, 18, 14, L""},
    {IDC_WEEKDAYS, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 155, 267, 10, L"平日のみ(月～金)(&Y)"},
    {IDC_SYSTEM_ONLY, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 171, 267, 10,
     L"画面は消えてもよい（入力は送らずスリープだけ防ぐ）(&L)"},
    {IDC_STARTNOW, L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 7, 192, 81, 14, L"上記設定で開始(&T)"},
    {-1, L"Static", WS_GROUP | SS_LEFT, 0, 94, 193, 182, 25,
     L"…この設定は今回だけのものになります。永久的な設定にしたい場合は、下の「ショートカットを作成」を利用して下さい。"},
    {-1, L"Static", WS_GROUP | SS_LEFT, 0, 7, 220, 113, 8, L"作成場所を選択してください："},
    {IDC_DESKTOP, L"Button", BS_AUTORADIOBUTTON, 0, 7, 234, 269, 10,
     L"この環境のデスクトップ上(&D) …… デスクトップから本プログラムを起動したい場合"},
    {IDC_STARTUP, L"Button", BS_AUTORADIOBUTTON, 0, 7, 246, 269, 10,
     L"この環境のスタートアップ上(&U) …… Windows起動と同時に本プログラムを使いたい場合"},
    {IDOK, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 7, 265, 133, 14, L"上記設定でショートカットを作成(&M)"},
    {IDC_ABOUT, L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 156, 265, 68, 14, L"バージョン情報(&A)"},
    {IDCANCEL, L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 225, 265, 51, 14, L"閉じる(&C)"},
    {IDC_FEEDBACK, L"Button", BS_PUSHBUTTON | BS_FLAT | WS_TABSTOP, 0, 238, 0, 38, 11, L"ﾌｨｰﾄﾞﾊﾞｯｸ"},
    {-1, L"Static", SS_ETCHEDHORZ, 0, 7, 215, 269, 1, L""},
    {-1, L"Static", SS_ETCHEDHORZ, 0, 7, 186, 269, 1, L""},
};
static const int SetupControlCount = sizeof SetupControls / sizeof SetupControls[0];

TEST(SetupResource, IsTheJapaneseExtendedTemplate) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(IDD_SETUP, LANG_JAPANESE, &t));
    EXPECT_EQ((DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT), t.style);
    EXPECT_EQ(0u, t.exStyle);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(283, t.cx);
    EXPECT_EQ(287, t.cy);
    EXPECT_EQ(L"SWAYPIX", t.caption);
    EXPECT_EQ(9, t.pointSize);
    EXPECT_EQ(0, t.weight);
    EXPECT_EQ(0, t.italic);
    EXPECT_EQ(0, t.charset);
    EXPECT_EQ(L"ＭＳ Ｐゴシック", t.face);
    ASSERT_EQ((size_t)SetupControlCount, t.controls.size());
    for (int i = 0; i < SetupControlCount; ++i) {
        const ExpectedControl& e = SetupControls[i];
        const ControlTemplate& c = t.controls[i];
        EXPECT_EQ((DWORD)e.id, c.id) << i;
        // Class names are case-insensitive; resource compilers store
        // either the name or the predefined ordinal.
        EXPECT_EQ(0, _wcsicmp(e.className, c.className.c_str())) << i;
        EXPECT_EQ(WS_CHILD | WS_VISIBLE | e.style, c.style) << i;
        EXPECT_EQ(e.exStyle, c.exStyle) << i;
        EXPECT_EQ(e.x, c.x) << i;
        EXPECT_EQ(e.y, c.y) << i;
        EXPECT_EQ(e.cx, c.cx) << i;
        EXPECT_EQ(e.cy, c.cy) << i;
        EXPECT_EQ(std::wstring(e.text), c.title) << i;
    }
}

// ---- The running dialog ----

class SetupDialog : public ::testing::Test {
protected:
    PROCESS_INFORMATION program = {};
    HWND dialog = NULL;

    void SetUp() override {
        EndResidentInstances();
        program = StartSwaypix("");
        dialog = WaitForDialogOf(program.dwProcessId, EventBoundMs);
        ASSERT_TRUE(dialog != NULL);
    }
    void TearDown() override {
        if (WaitForExit(program, 0) == STILL_ACTIVE) TerminateProcess(program.hProcess, 1);
        WaitForExit(program, EventBoundMs);
        CloseProcess(program);
        EndResidentInstances();
    }
    // Presses a dialog button and returns the message box it opens.
    HWND PressAndWaitForBox(int buttonId) {
        PressDialogButton(dialog, buttonId);
        return WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
    }
    void ExpectMessage(HWND box, const wchar_t* text, LPCSTR icon) {
        ExpectMessageBox(box, L"SWAY_PIX", text, icon);
    }
};

TEST_F(SetupDialog, ShowsItsTextsAndStartsWithFiftySeconds) {
    EXPECT_EQ(L"SWAYPIX", WindowTextW(dialog));
    HWND child = GetWindow(dialog, GW_CHILD);
    for (int i = 0; i < SetupControlCount; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        ASSERT_TRUE(child != NULL) << i;
        EXPECT_EQ((WORD)SetupControls[i].id, (WORD)GetDlgCtrlID(child)) << i;
        if (_wcsicmp(SetupControls[i].className, L"Edit") != 0) {
            EXPECT_EQ(std::wstring(SetupControls[i].text), WindowTextW(child)) << i;
        }
    }
    EXPECT_EQ(L"50", ControlTextW(dialog, IDC_INTERVAL));
    EXPECT_TRUE(IsButtonChecked(dialog, IDC_DESKTOP));
    EXPECT_FALSE(IsButtonChecked(dialog, IDC_STARTUP));
    EXPECT_FALSE(IsButtonChecked(dialog, IDC_SHIFTMODE));
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(program.dwThreadId, &gui);
    EXPECT_EQ(GetDlgItem(dialog, IDC_INTERVAL), gui.hwndFocus);
}

struct RangeCase {
    const wchar_t* field;
    int button;
    const wchar_t* message;
    LPCSTR icon;
    int boundBox;  // 0: no bound checked
    int boundField;
    const wchar_t* boundValue;
};

static const wchar_t RangeText[] = L"秒数は1～2147483の範囲で指定してください。";
static const wchar_t EmptyText[] = L"内部エラー:SWPX0001\r\nダイアログ上の文字列を読み取れません。";
static const wchar_t TimeRangeText[] = L"時刻は0:00～23:59の範囲で指定してください。";
static const wchar_t MinutesRangeText[] = L"分数は1～10080の範囲で指定してください。";
static const wchar_t HoursRangeText[] = L"時間帯は0:00～23:59で、開始と終了を別の時刻にしてください。";

// A bad bound starts and writes nothing, and puts the focus on its field.
TEST_F(SetupDialog, RejectsIntervalsAndBoundsOutOfRange) {
    std::string desktop = ShellFolderPath(CSIDL_DESKTOPDIRECTORY);
    DeleteMatchingFiles(desktop, "SWAYPIX*.LNK");
    const RangeCase cases[] = {
        {L"0", IDOK, RangeText, IDI_EXCLAMATION, 0, 0, NULL},
        {L"2147484", IDOK, RangeText, IDI_EXCLAMATION, 0, 0, NULL},
        {L"", IDOK, EmptyText, IDI_ERROR, 0, 0, NULL},  // the two buttons differ here
        {L"0", IDC_STARTNOW, RangeText, IDI_EXCLAMATION, 0, 0, NULL},
        {L"2147484", IDC_STARTNOW, RangeText, IDI_EXCLAMATION, 0, 0, NULL},
        {L"", IDC_STARTNOW, RangeText, IDI_EXCLAMATION, 0, 0, NULL},
        {L"abc", IDC_STARTNOW, RangeText, IDI_EXCLAMATION, 0, 0, NULL},
        {L"0000000001", IDOK, RangeText, IDI_EXCLAMATION, 0, 0, NULL},  // only "000000000" is read
        {L"50", IDOK, TimeRangeText, IDI_EXCLAMATION, IDC_UNTIL, IDC_UNTIL_HOUR, L"24"},
        {L"50", IDC_STARTNOW, TimeRangeText, IDI_EXCLAMATION, IDC_UNTIL, IDC_UNTIL_HOUR, L""},
        {L"50", IDC_STARTNOW, TimeRangeText, IDI_EXCLAMATION, IDC_UNTIL, IDC_UNTIL_MINUTE, L"60"},
        {L"50", IDOK, MinutesRangeText, IDI_EXCLAMATION, IDC_FOR, IDC_FOR_MINUTES, L"0"},
        {L"50", IDC_STARTNOW, MinutesRangeText, IDI_EXCLAMATION, IDC_FOR, IDC_FOR_MINUTES, L"10081"},
        {L"50", IDOK, HoursRangeText, IDI_EXCLAMATION, IDC_HOURS, IDC_HOURS_FROM_MINUTE, L"60"},
        {L"50", IDC_STARTNOW, HoursRangeText, IDI_EXCLAMATION, IDC_HOURS, IDC_HOURS_TO_HOUR, L"24"},
        {L"50", IDOK, HoursRangeText, IDI_EXCLAMATION, IDC_HOURS, IDC_HOURS_TO_HOUR, L"9"},  // 9:00-9:00
    };
    for (const RangeCase& c : cases) {
        SetControlTextW(dialog, IDC_INTERVAL, c.field);
        if (c.boundBox) {
            ASSERT_TRUE(SetButtonChecked(dialog, c.boundBox, true));
            SetControlTextW(dialog, c.boundField, c.boundValue);
        }
        HWND box = PressAndWaitForBox(c.button);
        ASSERT_TRUE(ExpectMessageBox(box, L"SWAY_PIX", c.message, c.icon)) << c.button;
        AnswerMessageBox(box, IDOK);
        EXPECT_TRUE(IsWindow(dialog));
        if (!c.boundBox) continue;
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        EXPECT_TRUE(WaitUntil(EventBoundMs, [&] {
            GetGUIThreadInfo(program.dwThreadId, &gui);
            return gui.hwndFocus == GetDlgItem(dialog, c.boundField);
        })) << c.boundField;
        SetControlTextW(dialog, c.boundField, c.boundField == IDC_FOR_MINUTES ? L"60" : L"00");
        ASSERT_TRUE(SetButtonChecked(dialog, c.boundBox, false));
    }
    EXPECT_EQ(STILL_ACTIVE, WaitForExit(program, 0));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((desktop + "\\SWAYPIX.LNK").c_str()));
}

static const wchar_t StartQuestion[] = L"この設定で動作を開始してもよろしいですか?";
static const wchar_t StartNotice[] = L"常駐を開始します。常駐解除したい場合は、swaypix.exeをもう一度起動して下さい。";

TEST_F(SetupDialog, StartNowCancelKeepsTheDialog) {
    HWND question = PressAndWaitForBox(IDC_STARTNOW);
    ExpectMessage(question, StartQuestion, IDI_QUESTION);
    AnswerMessageBox(question, IDCANCEL);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
}

// The start-now button reads the whole field: "0000000001" is one second,
// where the shortcut button would read only its first nine characters.
TEST_F(SetupDialog, StartNowMakesThisProcessResident) {
    StartInputRecorder();
    SetControlTextW(dialog, IDC_INTERVAL, L"0000000001");
    HWND question = PressAndWaitForBox(IDC_STARTNOW);
    ExpectMessage(question, StartQuestion, IDI_QUESTION);
    AnswerMessageBox(question, IDOK);
    HWND notice = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
    ExpectMessage(notice, StartNotice, IDI_INFORMATION);
    AnswerMessageBox(notice, IDOK);

    HWND resident = WaitForResidentWindow(5000);
    ASSERT_TRUE(resident != NULL);
    DWORD residentPid = 0;
    GetWindowThreadProcessId(resident, &residentPid);
    EXPECT_EQ(program.dwProcessId, residentPid);
    EXPECT_FALSE(IsWindow(dialog));
    ClearRecordedInput();
    RecordedInput moves[8];
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] { return RecordedMouseMoves(moves, 8) >= 2; }));
    StopInputRecorder();
}

TEST_F(SetupDialog, StartNowInShiftModeTapsShift) {
    StartInputRecorder();
    SetControlTextW(dialog, IDC_INTERVAL, L"1");
    PressDialogButton(dialog, IDC_SHIFTMODE);
    WaitUntil(EventBoundMs, [&] { return IsButtonChecked(dialog, IDC_SHIFTMODE); });
    AnswerMessageBox(PressAndWaitForBox(IDC_STARTNOW), IDOK);
    AnswerMessageBox(WaitForMessageBoxOwnedBy(dialog, EventBoundMs), IDOK);
    ASSERT_TRUE(WaitForResidentWindow(5000) != NULL);
    ClearRecordedInput();
    RecordedInput events[8];
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] { return RecordedShiftEvents(events, 8) >= 2; }));
    EXPECT_EQ(0, RecordedMouseMoves(events, 8));
    StopInputRecorder();
}

TEST_F(SetupDialog, CloseButtonEndsTheProgram) {
    PressDialogButton(dialog, IDCANCEL);
    EXPECT_EQ(0u, WaitForExit(program, EventBoundMs));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
}

TEST_F(SetupDialog, EscapeEndsTheProgram) {
    HWND interval = GetDlgItem(dialog, IDC_INTERVAL);
    PostMessageW(interval, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(interval, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    EXPECT_EQ(0u, WaitForExit(program, EventBoundMs));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
}

TEST_F(SetupDialog, CloseBoxEndsTheProgram) {
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, WaitForExit(program, EventBoundMs));
    EXPECT_EQ(NULL, FindWindowA("SWAY_PIX", "SWAY_PIX"));
}

TEST_F(SetupDialog, FeedbackOpensThePageFromTheSystemFolder) {
    RegisterRecordingHandler("https");
    ResetOpenLog();
    // The log's name reaches the handler through the program's environment.
    PressDialogButton(dialog, IDCANCEL);
    WaitForExit(program, EventBoundMs);
    CloseProcess(program);
    program = StartSwaypix("");
    dialog = WaitForDialogOf(program.dwProcessId, EventBoundMs);
    ASSERT_TRUE(dialog != NULL);

    PressDialogButton(dialog, IDC_FEEDBACK);
    std::string log = WaitForOpenLog(1, EventBoundMs);
    RestoreHandler("https");
    char systemFolder[MAX_PATH];
    GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    EXPECT_NE(std::string::npos, log.find("target=https://swaypix.example/ifa.php?SWAYPIX\n")) << log;
    EXPECT_NE(std::string::npos, log.find(std::string("directory=") + systemFolder + "\n")) << log;
    EXPECT_TRUE(IsWindow(dialog));

    // A handler that cannot start: the failure the About box shows.
    RegisterHandler("https", "C:\\no-such-handler.exe");
    PressDialogButton(dialog, IDC_FEEDBACK);
    HWND message = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
    RestoreHandler("https");
    ASSERT_TRUE(ExpectMessageBox(message, L"SWAYPIX", L"起動に失敗しました。", IDI_ERROR));
    AnswerMessageBox(message, IDOK);
    EXPECT_TRUE(IsWindow(dialog));
}
