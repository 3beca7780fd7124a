// The real swaypix.exe's About box, opened from its set-up dialog as a
// user would: its Japanese texts, the report in the system's text viewer,
// and the report file gone once the box is closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about/about_controls.h"
#include "res/resource.h"
#include "tests/support/program_driver.h"
#include "tests/support/report_section.h"
#include "tests/support/test_files.h"
#include "tests/support/text_viewer.h"
#include "tests/support/wait.h"

static const wchar_t PrivacyHeader[] =
    L"この環境の調査結果です。報告に用いる場合は、プライバシに関わると思う部分を隠してからお送り下さい。\r\n\r\n";

class RealAboutBox : public ::testing::Test {
protected:
    PROCESS_INFORMATION program = {};
    HWND setup = NULL;
    HWND box = NULL;
    void SetUp() override {
        program = StartSwaypix("");
        setup = WaitForDialogOf(program.dwProcessId, EventBoundMs);
        ASSERT_TRUE(setup != NULL);
        PressDialogButton(setup, IDC_ABOUT);
        box = WaitForDialogOwnedBy(setup, EventBoundMs);
        ASSERT_TRUE(box != NULL);
    }
    void TearDown() override {
        CloseViewersOf("VORLEXLIB_TEMP");
        if (WaitForExit(program, 0) == STILL_ACTIVE) TerminateProcess(program.hProcess, 1);
        WaitForExit(program, EventBoundMs);
        CloseProcess(program);
    }
};

TEST_F(RealAboutBox, ShowsTheProgramsJapaneseTexts) {
    EXPECT_EQ(L"バージョン情報", WindowTextW(box));
    EXPECT_EQ(L"SWAYPIX ver.2.15.03  [2012/07/08] (x86) \r\n\r\nCopyright (C) 2012 SWAYPIX developers",
              ControlTextW(box, IDC_ABOUT_TITLE));
    std::wstring contact = ControlTextW(box, IDC_ABOUT_CONTACT);
    EXPECT_EQ(0u, contact.find(L"[WebSite]\r\n  https://swaypix.example/\r\n\r\n[E-Mail]\r\n  swaypix@swaypix.example\r\n\r\n"
                               L"　メールフィルタやサーバによるドメイン着信拒否"))
        << std::string(contact.begin(), contact.end());
    std::wstring notice = ControlTextW(box, IDC_ABOUT_NOTICE);
    EXPECT_EQ(0u, notice.find(L"　このプログラムは、マウスカーソルを定期的に微妙に動かすことにより、PCをスクリーンセーバや"
                              L"スリープ状態に入ることを防ぐためのものです。\r\n　"));
    size_t lines = 1;
    for (wchar_t c : notice) lines += c == L'\n';
    EXPECT_EQ(8u, lines);
    EXPECT_NE(L'\n', notice.back());
    EXPECT_EQ(L"閉じる(&C)", ControlTextW(box, IDCANCEL));
    EXPECT_EQ(L"環境情報の表示(問合せの際にご活用下さい)(&E)", ControlTextW(box, IDC_ABOUT_REPORT));
    EXPECT_EQ(L"開発支援金の受付について(&K)", ControlTextW(box, IDC_ABOUT_DONATION));
    EXPECT_EQ(L"フィードバック受付(&F)", ControlTextW(box, IDC_ABOUT_FEEDBACK));
    for (int id : {IDC_ABOUT_WEBSITE, IDC_ABOUT_MAIL, IDC_ABOUT_DONATION, IDC_ABOUT_FEEDBACK, IDC_ABOUT_ICON})
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, id))) << id;
    PressDialogButton(box, IDCANCEL);
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindowVisible(setup)) << "the set-up dialog stays";
}

TEST_F(RealAboutBox, TheReportOpensInTheViewerAndIsDeletedOnClose) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string reportPath = std::string(temp) + "VORLEXLIB_TEMP.TXT";
    PressDialogButton(box, IDC_ABOUT_REPORT);
    HWND viewer = WaitForViewerOf("VORLEXLIB_TEMP", EventBoundMs);
    ASSERT_TRUE(viewer != NULL);
    std::wstring shown = ViewerText(viewer);
    EXPECT_EQ(0u, shown.find(std::wstring(PrivacyHeader) + L"VORLEX.LIB ver.5.24.05 [Jun  6 2012](ANSI)"));
    EXPECT_NE(std::wstring::npos, shown.find(L"\r\n[その他]\r\nクライアント  :SWAYPIX ver.2.15.03  [2012/07/08] (x86) \r\n"
                                             L"日付時刻      :"));
    std::string file = ReadTextFile(reportPath);
    EXPECT_EQ(0u, file.find("この環境の調査結果です。")) << "the file holds code page 932 bytes";
    EXPECT_TRUE(EndsWithRawCpuidBlock(file)) << file.substr(file.size() - 200);
    CloseViewersOf("VORLEXLIB_TEMP");

    PressDialogButton(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return !IsWindow(box); }));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(reportPath.c_str()));
}
