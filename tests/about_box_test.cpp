// The About box running in this process from records the program never
// uses (English, empty fields, another icon, a callback), driven through
// its real windows; links go to a recording handler registered in the
// Wine prefix, the report to the prefix's real text viewer.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "about/about_box_info.h"
#include "about/about_controls.h"
#include "about/about_dialog.h"
#include "about/product_title.h"
#include "about/report_file.h"
#include "tests/support/device_replay.h"
#include "tests/support/program_driver.h"
#include "tests/support/shell_handler.h"
#include "tests/support/test_files.h"
#include "tests/support/text_viewer.h"
#include "tests/support/wait.h"

static const int ActionButtonIds[] = {IDC_ABOUT_REPORT, IDC_ABOUT_DONATION, IDC_ABOUT_WEBSITE, IDC_ABOUT_MAIL,
                                      IDC_ABOUT_FEEDBACK};

static HWND ReportCallbackWindow;
static void RecordReportCallback(HWND box) {
    ReportCallbackWindow = box;
}

struct BoxThread {
    AboutBoxInfo info;
    INT_PTR result;
    DWORD threadId;
};

static DWORD WINAPI RunBox(LPVOID parameter) {
    BoxThread* run = (BoxThread*)parameter;
    run->result = RunAboutBox(&run->info);
    return 0;
}

static BOOL CALLBACK FirstDialog(HWND window, LPARAM lParam) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *(HWND*)lParam = window;
    return FALSE;
}

class AboutBox : public ::testing::Test {
protected:
    BoxThread run = {};
    HANDLE thread = NULL;
    HWND box = NULL;

    void SetUp() override {
        run.info.japanese = 0;
        run.info.iconId = 107;
        run.info.instance = GetModuleHandleA(NULL);
        run.info.productName = "TESTPRODUCT";
        run.info.webSite = "https://swaypix.example/";
        run.info.mailAddress = "someone@swaypix.example";
        run.info.donationPage = "https://swaypix.example/kifu.html";
        run.info.notice = "line one\r\nline two";
        run.info.feedbackPage = "https://swaypix.example/ifa.php?SWAYPIX";
    }
    void Open() {
        thread = CreateThread(NULL, 0, RunBox, &run, 0, &run.threadId);
        ASSERT_TRUE(WaitUntil(EventBoundMs, [&] {
            EnumThreadWindows(run.threadId, FirstDialog, (LPARAM)&box);
            return box != NULL;
        }));
    }
    void TearDown() override {
        if (box && IsWindow(box)) PressDialogButton(box, IDCANCEL);
        if (thread) {
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, EventBoundMs));
            CloseHandle(thread);
            EXPECT_EQ(0, run.result);
        }
    }
    HWND FocusOfBox() {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(run.threadId, &gui);
        return gui.hwndFocus;
    }
    bool Visible(int id) { return IsWindowVisible(GetDlgItem(box, id)) != FALSE; }
};

TEST_F(AboutBox, EnglishRecordShowsEnglishTextsFontAndFocus) {
    ProductTitleLine[0] = '\0';
    Open();
    EXPECT_EQ(L"About", WindowTextW(box));
    LOGFONTA font = {};
    GetObjectA((HFONT)SendMessageA(box, WM_GETFONT, 0, 0), sizeof font, &font);
    EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
    EXPECT_EQ(L"&Close", ControlTextW(box, IDCANCEL));
    EXPECT_EQ(L"&Environment Information", ControlTextW(box, IDC_ABOUT_REPORT));
    EXPECT_EQ(L"Contribution(&K)", ControlTextW(box, IDC_ABOUT_DONATION));
    EXPECT_EQ(L"&Feedback", ControlTextW(box, IDC_ABOUT_FEEDBACK));
    EXPECT_EQ(L"TESTPRODUCT ver.2.15.03  [2012/07/08] (x86) \r\n\r\nCopyright (C) 2012 SWAYPIX developers",
              ControlTextW(box, IDC_ABOUT_TITLE));
    EXPECT_STREQ("TESTPRODUCT ver.2.15.03  [2012/07/08] (x86) ", ProductTitleLine);
    EXPECT_EQ(L"[WebSite]\r\n  https://swaypix.example/\r\n\r\n[E-Mail]\r\n  someone@swaypix.example\r\n\r\n",
              ControlTextW(box, IDC_ABOUT_CONTACT));
    EXPECT_EQ(L"line one\r\nline two", ControlTextW(box, IDC_ABOUT_NOTICE));
    for (int id : ActionButtonIds) EXPECT_TRUE(Visible(id)) << id;
    EXPECT_EQ(GetDlgItem(box, IDC_ABOUT_DONATION), FocusOfBox());
    // The link buttons draw their symbols in the Wingdings face.
    HFONT linkFont = (HFONT)SendDlgItemMessageA(box, IDC_ABOUT_WEBSITE, WM_GETFONT, 0, 0);
    GetObjectA(linkFont, sizeof font, &font);
    EXPECT_STREQ("Wingding", font.lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, font.lfCharSet);
    EXPECT_EQ(16, font.lfHeight);
    EXPECT_EQ(linkFont, (HFONT)SendDlgItemMessageA(box, IDC_ABOUT_MAIL, WM_GETFONT, 0, 0));
    // The face the mapper chose, as its file names it: another font in
    // its place draws the plain ":" and "*" or other symbols.
    HWND webSite = GetDlgItem(box, IDC_ABOUT_WEBSITE);
    HDC dc = GetDC(webSite);
    HGDIOBJ previous = SelectObject(dc, linkFont);
    union {
        OUTLINETEXTMETRICA metrics;
        char bytes[1024];
    } chosen = {};
    bool outline = GetOutlineTextMetricsA(dc, sizeof chosen, &chosen.metrics) != 0;
    SelectObject(dc, previous);
    ReleaseDC(webSite, dc);
    ASSERT_TRUE(outline);
    EXPECT_STREQ("Wingdings", chosen.bytes + (size_t)chosen.metrics.otmpFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, chosen.metrics.otmTextMetrics.tmCharSet);
}

static LONG LinkFontHeight(HWND box, int id) {
    LOGFONTA font = {};
    GetObjectA((HFONT)SendDlgItemMessageA(box, id, WM_GETFONT, 0, 0), sizeof font, &font);
    return font.lfHeight;
}

// Moved to a monitor of 144 dpi, the box takes the rectangle Windows
// suggests and draws its link symbols as large there as at 96 dpi.
TEST_F(AboutBox, ADpiChangeTakesTheSuggestedRectangleAndRemakesTheLinkFont) {
    Open();
    RECT before;
    GetWindowRect(box, &before);
    RECT suggested = {before.left + 10, before.top + 20, before.left + 10 + (before.right - before.left) * 3 / 2,
                      before.top + 20 + (before.bottom - before.top) * 3 / 2};
    SendMessageA(box, WM_DPICHANGED, MAKEWPARAM(144, 144), (LPARAM)&suggested);
    RECT after;
    GetWindowRect(box, &after);
    EXPECT_TRUE(EqualRect(&suggested, &after)) << after.left << "," << after.top << "-" << after.right << ","
                                                << after.bottom;
    EXPECT_EQ(24, LinkFontHeight(box, IDC_ABOUT_WEBSITE));
    EXPECT_EQ(24, LinkFontHeight(box, IDC_ABOUT_MAIL));
}

TEST_F(AboutBox, NullFieldsHideTheirButtonsAndMoveTheFocusToClose) {
    run.info.webSite = NULL;
    run.info.mailAddress = NULL;
    run.info.donationPage = NULL;
    run.info.feedbackPage = NULL;
    Open();
    EXPECT_FALSE(Visible(IDC_ABOUT_WEBSITE));
    EXPECT_FALSE(Visible(IDC_ABOUT_MAIL));
    EXPECT_FALSE(Visible(IDC_ABOUT_DONATION));
    EXPECT_FALSE(Visible(IDC_ABOUT_FEEDBACK));
    EXPECT_TRUE(Visible(IDC_ABOUT_REPORT));
    EXPECT_TRUE(Visible(IDCANCEL));
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), FocusOfBox());
    EXPECT_EQ(L"\r\n  \r\n\r\n\r\n  \r\n\r\n", ControlTextW(box, IDC_ABOUT_CONTACT));
}

TEST_F(AboutBox, ShowsTheRecordsIcon) {
    run.info.iconId = 108;
    Open();
    HICON shown = (HICON)SendDlgItemMessageA(box, IDC_ABOUT_ICON, STM_GETICON, 0, 0);
    ASSERT_TRUE(shown != NULL);
    EXPECT_EQ(LoadIconA(run.info.instance, MAKEINTRESOURCEA(108)), shown);
    EXPECT_NE(LoadIconA(run.info.instance, MAKEINTRESOURCEA(107)), shown);
}

TEST_F(AboutBox, CtrlASelectsAllOnlyInTheNotice) {
    Open();
    HWND notice = GetDlgItem(box, IDC_ABOUT_NOTICE);
    SendMessageA(notice, EM_SETSEL, 0, 0);
    EXPECT_EQ(0, SendMessageA(notice, WM_CHAR, 1, 0));
    DWORD start = 0, end = 0;
    SendMessageA(notice, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(18u, end);
    // A Unicode procedure: read through the A call, it would be a thunk.
    EXPECT_EQ((LONG_PTR)NoticeEditProc, GetWindowLongPtrW(notice, GWLP_WNDPROC));
    for (int other : {IDC_ABOUT_TITLE, IDC_ABOUT_CONTACT})
        EXPECT_NE((LONG_PTR)NoticeEditProc, GetWindowLongPtrW(GetDlgItem(box, other), GWLP_WNDPROC)) << other;
}

// Each WM_ENABLE the box's buttons get, recorded by a hook on the box's
// thread as it is sent: the lock as the box made it, however late this
// thread looks.
struct EnableRecord {
    int id;
    bool enabled;
    DWORD tick;
};
static EnableRecord EnableLog[16];
static volatile LONG EnableLogCount;

static LRESULT CALLBACK RecordEnable(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && sent->message == WM_ENABLE && EnableLogCount < 16) {
        EnableLog[EnableLogCount] = {GetDlgCtrlID(sent->hwnd), sent->wParam != 0, GetTickCount()};
        InterlockedIncrement(&EnableLogCount);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

TEST_F(AboutBox, MailTwiceOpensTheSameTargetAndLocksTheButtonsForASecond) {
    RegisterRecordingHandler("mailto");
    ResetOpenLog();
    Open();
    EnableLogCount = 0;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordEnable, NULL, run.threadId);
    ASSERT_TRUE(hook != NULL);
    PressDialogButton(box, IDC_ABOUT_MAIL);
    bool unlocked = WaitUntil(EventBoundMs, [] { return EnableLogCount >= 10; });
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(unlocked) << EnableLogCount << " buttons enabled or disabled";
    // Every action button locked, then every one unlocked a second later.
    for (int i = 0; i < 10; ++i) EXPECT_EQ(i >= 5, EnableLog[i].enabled) << i;
    for (int id : ActionButtonIds)
        EXPECT_EQ(2, std::count_if(EnableLog, EnableLog + 10, [&](const EnableRecord& r) { return r.id == id; })) << id;
    EXPECT_GE(EnableLog[5].tick - EnableLog[4].tick, 900u);
    std::string first = WaitForOpenLog(1, EventBoundMs);

    PressDialogButton(box, IDC_ABOUT_MAIL);
    std::string both = WaitForOpenLog(2, EventBoundMs);
    RestoreHandler("mailto");
    const std::string entry = "target=mailto:someone@swaypix.example\n";
    ASSERT_NE(std::string::npos, first.find(entry)) << first;
    EXPECT_NE(std::string::npos, both.find(entry, both.find(entry) + 1)) << both;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    EXPECT_NE(std::string::npos, both.find(std::string("directory=") + system + "\n")) << both;
}

TEST_F(AboutBox, WebDonationAndFeedbackOpenTheirPages) {
    RegisterRecordingHandler("https");
    ResetOpenLog();
    Open();
    const int buttons[] = {IDC_ABOUT_WEBSITE, IDC_ABOUT_DONATION, IDC_ABOUT_FEEDBACK};
    int opened = 0;
    for (int id : buttons) {
        ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return IsWindowEnabled(GetDlgItem(box, id)) != FALSE; }));
        PressDialogButton(box, id);
        WaitForOpenLog(++opened, EventBoundMs);
    }
    std::string log = WaitForOpenLog(3, EventBoundMs);
    RestoreHandler("https");
    size_t web = log.find("target=https://swaypix.example/\n");
    size_t donation = log.find("target=https://swaypix.example/kifu.html\n");
    size_t feedback = log.find("target=https://swaypix.example/ifa.php?SWAYPIX\n");
    ASSERT_NE(std::string::npos, web) << log;
    ASSERT_NE(std::string::npos, donation) << log;
    ASSERT_NE(std::string::npos, feedback) << log;
    EXPECT_LT(web, donation);
    EXPECT_LT(donation, feedback);
}

TEST_F(AboutBox, ATargetTheShellCannotOpenSaysCannotExecute) {
    run.info.webSite = "swaypix-no-such-scheme:nothing";
    Open();
    PressDialogButton(box, IDC_ABOUT_WEBSITE);
    HWND message = WaitForMessageBoxOwnedBy(box, EventBoundMs);
    ASSERT_TRUE(ExpectMessageBox(message, L"TESTPRODUCT", L"Cannot Execute.", IDI_ERROR));
    AnswerMessageBox(message, IDOK);
    EXPECT_TRUE(IsWindow(box));
}

TEST_F(AboutBox, ACallbackReplacesTheBuiltInReport) {
    ReportCallbackWindow = NULL;
    run.info.reportCallback = RecordReportCallback;
    DeleteFileW(ReportTempPath);
    Open();
    PressDialogButton(box, IDC_ABOUT_REPORT);
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] { return ReportCallbackWindow == box; }));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(box, IDC_ABOUT_MAIL))) << "no lock without a link action";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(ReportTempPath));
}

TEST_F(AboutBox, TheEnglishReportOpensInTheViewerAndGoesWithTheBox) {
    Open();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string reportPath = std::string(temp) + "VORLEXLIB_TEMP.TXT";
    EXPECT_EQ(std::wstring(reportPath.begin(), reportPath.end()), ReportTempPath);
    PressDialogButton(box, IDC_ABOUT_REPORT);
    HWND viewer = WaitForViewerOf("VORLEXLIB_TEMP", EventBoundMs);
    ASSERT_TRUE(viewer != NULL);
    std::wstring shown = ViewerText(viewer);
    EXPECT_EQ(0u, shown.find(L"Information of your environment.\r\n\r\nVORLEX.LIB ver.5.24.05 [Jun  6 2012](ANSI)"))
        << std::string(shown.begin(), shown.end());
    EXPECT_NE(std::wstring::npos, shown.find(L"\r\nClient        :TESTPRODUCT ver.2.15.03  [2012/07/08] (x86) \r\n"));
    std::string file = ReadTextFile(reportPath);
    EXPECT_EQ(0u, file.find("Information of your environment.\r\n\r\nVORLEX.LIB"));
    CloseViewersOf("VORLEXLIB_TEMP");

    PressDialogButton(box, IDCANCEL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, EventBoundMs));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(reportPath.c_str())) << "closing deletes the report";
}

// The cursor the user sees: that of the foreground window's thread.
static HCURSOR ShownCursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) ? info.hCursor : NULL;
}

// Brings the box to the front with the pointer over its report button,
// moved there afresh until the box's thread has answered with the arrow:
// a box that opens under a resting pointer gets no move to answer.
static bool PointerRestsOverTheReportButton(HWND box, HCURSOR arrow) {
    RECT button;
    GetWindowRect(GetDlgItem(box, IDC_ABOUT_REPORT), &button);
    int x = (button.left + button.right) / 2, y = (button.top + button.bottom) / 2;
    return WaitUntil(EventBoundMs, [&] {
        if (GetForegroundWindow() != box) SetForegroundWindow(box);
        SetCursorPos(x + 1, y);
        SetCursorPos(x, y);
        return GetForegroundWindow() == box && ShownCursor() == arrow;
    });
}

static int CountLines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

// A second process watches the cursor while drive C: takes three seconds
// to answer: the wait cursor from the click until the shell is asked to
// open the report, then the arrow again. The watcher runs until it is
// told to stop, so a slow machine only makes the test longer.
TEST_F(AboutBox, TheWaitCursorShowsWhileTheReportIsBuilt) {
    std::map<std::string, ReplayedDevice> devices;
    devices["\\\\.\\C:"].delayMs = 3000;
    DeviceSwap replay(&devices);
    Open();
    ASSERT_TRUE(PointerRestsOverTheReportButton(box, LoadCursorA(NULL, IDC_ARROW)))
        << "in front " << (GetForegroundWindow() == box) << ", cursor " << ShownCursor();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string watchLog = std::string(temp) + "swaypix-cursors.txt";
    DeleteFileA(watchLog.c_str());
    HANDLE stop = CreateEventA(NULL, TRUE, FALSE, "swaypix-cursor-watch-stop");
    std::string command =
        "\"" + BuiltProgramPath("cursor_watch.exe") + "\" \"" + watchLog + "\" swaypix-cursor-watch-stop";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION watcher = {};
    ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &watcher));
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return !ReadTextFile(watchLog).empty(); })) << "the watcher's first look";
    RegisterRecordingHandler("txtfile");
    ResetOpenLog();
    PressDialogButton(box, IDC_ABOUT_REPORT);
    std::string opened = WaitForOpenLog(1, EventBoundMs);
    bool threeSeen = WaitUntil(EventBoundMs, [&] { return CountLines(ReadTextFile(watchLog)) >= 3; });
    SetEvent(stop);
    DWORD exit = WaitForExit(watcher, EventBoundMs);
    CloseHandle(stop);
    CloseProcess(watcher);
    RestoreHandler("txtfile");
    ASSERT_EQ(0u, exit);
    EXPECT_NE(std::string::npos, opened.find("first-line=Information of your environment.")) << opened;
    char wait[16], arrow[16];
    wsprintfA(wait, "%lx\n", (unsigned long)(ULONG_PTR)LoadCursorA(NULL, IDC_WAIT));
    wsprintfA(arrow, "%lx\n", (unsigned long)(ULONG_PTR)LoadCursorA(NULL, IDC_ARROW));
    std::string seen = ReadTextFile(watchLog);
    DeleteFileA(watchLog.c_str());
    // Over the button the arrow; the wait cursor; then the arrow again
    // before anything else (the viewer's own cursor may follow).
    EXPECT_TRUE(threeSeen) << seen;
    EXPECT_EQ(std::string(arrow) + wait + arrow, seen.substr(0, strlen(arrow) * 2 + strlen(wait))) << seen;
}

TEST(ReportFile, ANullReportLeavesNoStaleFile) {
    ChooseReportTempPath();
    ASSERT_TRUE(WriteTextFile(ReportTempPath, "an older report"));
    EXPECT_FALSE(WriteReportFile("header\r\n\r\n", NULL));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(ReportTempPath));

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    memcpy(GlobalLock(block), "text", 5);
    GlobalUnlock(block);
    EXPECT_TRUE(WriteReportFile("header\r\n\r\n", block));
    EXPECT_EQ("header\r\n\r\ntext", ReadTextFile(ReportTempPath));
    DeleteFileW(ReportTempPath);
}

// An older report that cannot be replaced: held open without sharing by
// an editor, a folder in its place, or read-only. Where it is refused, the
// box says which file it could not write and opens nothing, so the old
// report is never shown as new. (Wine running as root writes a read-only
// file, so there the new report replaces it and is shown.)
enum ReportBlocker { HeldOpen, FolderInItsPlace, ReadOnly };

static bool ReadOnlyFileRefusesWriting(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return true;
    CloseHandle(file);
    return false;
}

// The prefix's handlers come back however the test ends.
struct RecordingHandlers {
    RecordingHandlers() {
        RegisterRecordingHandler("txtfile");
        RegisterRecordingHandler("https");
        ResetOpenLog();
    }
    ~RecordingHandlers() {
        RestoreHandler("txtfile");
        RestoreHandler("https");
    }
};

TEST_F(AboutBox, AReportFileThatCannotBeWrittenIsSaidSoAndNotOpened) {
    ChooseReportTempPath();
    const std::wstring path = ReportTempPath;
    RecordingHandlers handlers;
    Open();
    int reportsOpened = 0;
    for (ReportBlocker blocker : {HeldOpen, FolderInItsPlace, ReadOnly}) {
        HeldFile holder = {};
        DeleteFileW(path.c_str());
        RemoveDirectoryW(path.c_str());
        if (blocker == FolderInItsPlace) CreateDirectoryW(path.c_str(), NULL);
        else WriteTextFile(path, "an older report");
        if (blocker == HeldOpen) {
            ASSERT_TRUE(HoldFileOpen(path, &holder));
        }
        if (blocker == ReadOnly) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        bool refused = blocker != ReadOnly || ReadOnlyFileRefusesWriting(path);
        ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return IsWindowEnabled(GetDlgItem(box, IDC_ABOUT_REPORT)) != FALSE; }));
        PressDialogButton(box, IDC_ABOUT_REPORT);
        if (refused) {
            HWND message = WaitForMessageBoxOwnedBy(box, EventBoundMs);
            ASSERT_TRUE(ExpectMessageBox(message, L"TESTPRODUCT",
                                         L"Cannot write the environment report to the file.\r\n\r\n - " + path,
                                         IDI_ERROR)) << blocker;
            AnswerMessageBox(message, IDOK);
        } else {
            std::string log = WaitForOpenLog(++reportsOpened, EventBoundMs);
            EXPECT_NE(std::string::npos, log.find("first-line=Information of your environment.")) << log;
        }
        ReleaseHeldFile(holder);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (blocker == FolderInItsPlace) {
            EXPECT_TRUE(RemoveDirectoryW(path.c_str()));
        } else if (refused) {
            EXPECT_EQ("an older report", ReadTextFile(path)) << blocker;
        }
    }
    // A link opened after them all shows what the shell was asked before.
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return IsWindowEnabled(GetDlgItem(box, IDC_ABOUT_WEBSITE)) != FALSE; }));
    PressDialogButton(box, IDC_ABOUT_WEBSITE);
    std::string log = WaitForOpenLog(reportsOpened + 1, EventBoundMs);
    DeleteFileW(path.c_str());
    size_t reports = 0;
    for (size_t at = log.find("VORLEXLIB"); at != std::string::npos; at = log.find("VORLEXLIB", at + 1)) ++reports;
    EXPECT_EQ((size_t)reportsOpened, reports) << log;
    EXPECT_NE(std::string::npos, log.find("target=https://swaypix.example/\n")) << log;
}
