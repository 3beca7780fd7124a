// The real swaypix.exe where the code page is not 932 (1252, as an English
// Wine locale gives): English for an English user, and Japanese that
// survives the foreign code page for a user whose display language is
// Japanese (LC_MESSAGES=ja_JP.UTF-8 beside the English locale). The same
// tests run in both; every text is read back from the program's windows.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "about/about_controls.h"
#include "res/resource.h"
#include "tests/support/dialog_template.h"
#include "tests/support/program_driver.h"
#include "tests/support/test_files.h"
#include "tests/support/text_viewer.h"
#include "tests/support/wait.h"

struct UiExpectation {
    int setupTemplate;
    WORD language;
    const wchar_t* rangeMessage;
    const wchar_t* createdStart;
    const wchar_t* endQuestion;
    const wchar_t* endedNotice;
    const wchar_t* aboutCaption;
    const wchar_t* noticeStart;
};

static const UiExpectation JapaneseUi = {
    IDD_SETUP, LANG_JAPANESE, L"秒数は1～2147483の範囲で指定してください。",
    L"SWAYPIXショートカットを作成しました。\r\n\r\n - ", L"常駐を解除してもよろしいですか。", L"常駐解除しました。",
    L"バージョン情報", L"　このプログラムは、マウスカーソルを定期的に微妙に動かすことにより"};
static const UiExpectation EnglishUi = {
    IDD_SETUP_ENGLISH, LANG_ENGLISH, L"Enter a number of seconds from 1 to 2147483.",
    L"The SWAYPIX shortcut has been created.\r\n\r\n - ", L"SWAYPIX is running. Do you want to stop it?",
    L"SWAYPIX has stopped.", L"About", L"This program moves the mouse cursor very slightly"};

static const UiExpectation& Expected() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? JapaneseUi : EnglishUi;
}

static std::wstring Widen(const std::string& text) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    return wide;
}

class ForeignCodePage : public ::testing::Test {
protected:
    PROCESS_INFORMATION program = {};
    HWND dialog = NULL;
    std::string desktop = ShellFolderPath(CSIDL_DESKTOPDIRECTORY);

    void SetUp() override {
        ASSERT_EQ(1252u, GetACP());
        EndResidentInstances();
        DeleteMatchingFiles(desktop, "SWAYPIX*.LNK");
    }
    void TearDown() override {
        CloseViewersOf("VORLEXLIB_TEMP");
        if (WaitForExit(program, 0) == STILL_ACTIVE) TerminateProcess(program.hProcess, 1);
        WaitForExit(program, EventBoundMs);
        CloseProcess(program);
        EndResidentInstances();
        DeleteMatchingFiles(desktop, "SWAYPIX*.LNK");
    }
    void OpenSetupDialog() {
        program = StartSwaypix("");
        dialog = WaitForDialogOf(program.dwProcessId, EventBoundMs);
        ASSERT_TRUE(dialog != NULL);
    }
    std::wstring MessageAfterPressing(int buttonId) {
        PressDialogButton(dialog, buttonId);
        HWND box = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
        if (!box) return L"<no message>";
        EXPECT_EQ(L"SWAY_PIX", WindowTextW(box));
        std::wstring text = MessageBoxTextW(box);
        AnswerMessageBox(box, IDOK);
        return text;
    }
};

TEST_F(ForeignCodePage, TheSetupDialogAndItsMessagesReadBackWhole) {
    DialogTemplate resource;
    ASSERT_TRUE(LoadDialogTemplate(Expected().setupTemplate, Expected().language, &resource));
    OpenSetupDialog();
    EXPECT_EQ(resource.caption, WindowTextW(dialog));
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const ControlTemplate& control : resource.controls) {
        ASSERT_TRUE(child != NULL);
        if (control.id != IDC_INTERVAL) {
            EXPECT_EQ(control.title, WindowTextW(child)) << control.id;
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    SetControlTextW(dialog, IDC_INTERVAL, L"0");
    EXPECT_EQ(Expected().rangeMessage, MessageAfterPressing(IDC_STARTNOW));
    SetControlTextW(dialog, IDC_INTERVAL, L"50");
    std::wstring created = MessageAfterPressing(IDOK);
    EXPECT_EQ(0u, created.find(std::wstring(Expected().createdStart) + Widen(desktop) + L"\\SWAYPIX.LNK\r\n\r\n"));
}

TEST_F(ForeignCodePage, TheResidencyQuestionAndConfirmationReadBackWhole) {
    program = StartSwaypix("60000");
    ASSERT_TRUE(WaitForResidentWindow(EventBoundMs) != NULL);
    PROCESS_INFORMATION starter = StartSwaypix("");
    HWND question = WaitForDialogOf(starter.dwProcessId, EventBoundMs);
    ASSERT_TRUE(question != NULL);
    EXPECT_EQ(L"SWAY_PIX", WindowTextW(question));
    EXPECT_EQ(Expected().endQuestion, MessageBoxTextW(question));
    PressDialogButton(question, IDYES);
    HWND done = NULL;
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] {
        done = WaitForDialogOf(starter.dwProcessId, 0);
        return done != NULL && done != question && IsWindow(done);
    }));
    EXPECT_EQ(Expected().endedNotice, MessageBoxTextW(done));
    PressDialogButton(done, IDOK);
    EXPECT_EQ(0u, WaitForExit(starter, EventBoundMs));
    CloseProcess(starter);
}

// The report stays English here whatever the box's language: its file is
// in the system's code page, which cannot hold Japanese.
TEST_F(ForeignCodePage, TheAboutBoxFollowsTheUserAndTheReportIsEnglish) {
    OpenSetupDialog();
    PressDialogButton(dialog, IDC_ABOUT);
    HWND box = WaitForDialogOwnedBy(dialog, EventBoundMs);
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ(Expected().aboutCaption, WindowTextW(box));
    EXPECT_EQ(0u, ControlTextW(box, IDC_ABOUT_NOTICE).find(Expected().noticeStart));
    PressDialogButton(box, IDC_ABOUT_REPORT);
    HWND viewer = WaitForViewerOf("VORLEXLIB_TEMP", EventBoundMs);
    ASSERT_TRUE(viewer != NULL);
    std::wstring shown = ViewerText(viewer);
    EXPECT_EQ(0u, shown.find(L"Information of your environment.\r\n\r\nVORLEX.LIB"));
    EXPECT_NE(std::wstring::npos, shown.find(L"\r\nClient        :SWAYPIX ver.2.15.03  [2012/07/08] (x86) \r\n"));
}
