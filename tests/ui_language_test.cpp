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
    const wchar_t* setupFace;
    const wchar_t* rangeMessage;
    const wchar_t* createdStart;
    const wchar_t* endQuestion;
    const wchar_t* endedNotice;
    const wchar_t* aboutCaption;
    const wchar_t* noticeStart;
};

static const UiExpectation JapaneseUi = {
    IDD_SETUP, LANG_JAPANESE, L"ＭＳ Ｐゴシック", L"秒数は1～2147483の範囲で指定してください。",
    L"SWAYPIXショートカットを作成しました。\r\n\r\n - ", L"常駐を解除してもよろしいですか。", L"常駐解除しました。",
    L"バージョン情報", L"　このプログラムは、マウスカーソルを定期的に微妙に動かすことにより"};
static const UiExpectation EnglishUi = {
    IDD_SETUP_ENGLISH, LANG_ENGLISH, L"MS Shell Dlg", L"Enter a number of seconds from 1 to 2147483.",
    L"The SWAYPIX shortcut has been created.\r\n\r\n - ", L"SWAYPIX is running. Do you want to stop it?",
    L"SWAYPIX has stopped.", L"About", L"This program moves the mouse cursor very slightly"};
// Which run this is comes from tests/CMakeLists.txt, not from the system:
// a Wine that ignored LC_MESSAGES would otherwise pass in English.
static std::string ExpectedUiName() {
    char name[16] = "";
    GetEnvironmentVariableA("SWAYPIX_EXPECTED_UI", name, sizeof name);
    return name;
}
static const UiExpectation& Expected = ExpectedUiName() == "Japanese" ? JapaneseUi : EnglishUi;

class ForeignCodePage : public ::testing::Test {
protected:
    PROCESS_INFORMATION program = {};
    HWND dialog = NULL;
    std::string desktop = ShellFolderPath(CSIDL_DESKTOPDIRECTORY);

    void SetUp() override {
        ASSERT_EQ(1252u, GetACP());
        ASSERT_TRUE(ExpectedUiName() == "Japanese" || ExpectedUiName() == "English") << ExpectedUiName();
        ASSERT_EQ(Expected.language, PRIMARYLANGID(GetUserDefaultUILanguage())) << "the environment's UI language";
        program = StartSwaypix("");
        dialog = WaitForDialogOf(program.dwProcessId, EventBoundMs);
        ASSERT_TRUE(dialog != NULL);
    }
    void TearDown() override {
        CloseViewersOf("VORLEXLIB_TEMP");
        TerminateProcess(program.hProcess, 1);
        CloseProcess(program);
        EndResidentInstances();
        DeleteMatchingFiles(desktop, "SWAYPIX*.LNK");
    }
    std::wstring MessageAfterPressing(int buttonId) {
        PressDialogButton(dialog, buttonId);
        HWND box = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
        std::wstring text = box ? MessageBoxTextW(box) : L"<no message>";
        AnswerMessageBox(box, IDOK);
        return text;
    }
};

static wchar_t AccessKeyOf(const std::wstring& text) {
    size_t amp = text.find(L'&');
    return amp == std::wstring::npos ? 0 : towupper(text[amp + 1]);
}

// The dialog shown is resource 129 or its English twin, which differs from
// 129 in its texts and font alone and keeps each text's access key.
TEST_F(ForeignCodePage, TheSetupDialogAndItsMessagesReadBackWhole) {
    DialogTemplate japanese, shown;
    ASSERT_TRUE(LoadDialogTemplate(IDD_SETUP, LANG_JAPANESE, &japanese));
    ASSERT_TRUE(LoadDialogTemplate(Expected.setupTemplate, Expected.language, &shown));
    EXPECT_EQ(Expected.setupFace, shown.face);
    EXPECT_TRUE(japanese.style == shown.style && japanese.cx == shown.cx && japanese.cy == shown.cy);
    ASSERT_EQ(japanese.controls.size(), shown.controls.size());
    HWND child = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < shown.controls.size(); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const ControlTemplate& j = japanese.controls[i];
        const ControlTemplate& c = shown.controls[i];
        EXPECT_TRUE(j.id == c.id && j.className == c.className && j.style == c.style && j.exStyle == c.exStyle &&
                    j.x == c.x && j.y == c.y && j.cx == c.cx && j.cy == c.cy) << i;
        EXPECT_EQ(AccessKeyOf(j.title), AccessKeyOf(c.title)) << i;
        if (Expected.language == LANG_ENGLISH) {
            for (wchar_t ch : c.title) EXPECT_TRUE(ch >= L' ' && ch < 0x7F) << i;
        }
        ASSERT_TRUE(child != NULL);
        if (_wcsicmp(c.className.c_str(), L"Edit") != 0) {
            EXPECT_EQ(c.title, WindowTextW(child)) << i;
        }
    }
    SetControlTextW(dialog, IDC_INTERVAL, L"0");
    EXPECT_EQ(Expected.rangeMessage, MessageAfterPressing(IDC_STARTNOW));
    SetControlTextW(dialog, IDC_INTERVAL, L"50");
    std::wstring path(desktop.begin(), desktop.end());  // the prefix's folders are ASCII
    EXPECT_EQ(0u, MessageAfterPressing(IDOK).find(Expected.createdStart + path + L"\\SWAYPIX.LNK\r\n\r\n"));
}

// Started from the dialog, the program goes resident; a second start asks.
TEST_F(ForeignCodePage, TheResidencyQuestionAndConfirmationReadBackWhole) {
    PressDialogButton(dialog, IDC_STARTNOW);
    AnswerMessageBox(WaitForMessageBoxOwnedBy(dialog, EventBoundMs), IDOK);
    AnswerMessageBox(WaitForMessageBoxOwnedBy(dialog, EventBoundMs), IDOK);
    ASSERT_TRUE(WaitForResidentWindow(EventBoundMs) != NULL);
    PROCESS_INFORMATION starter = StartSwaypix("");
    HWND question = WaitForDialogOf(starter.dwProcessId, EventBoundMs);
    ASSERT_TRUE(question != NULL);
    EXPECT_EQ(Expected.endQuestion, MessageBoxTextW(question));
    PressDialogButton(question, IDYES);
    HWND done = NULL;
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] {
        done = WaitForDialogOf(starter.dwProcessId, 0);
        return done != NULL && done != question && IsWindow(done);
    }));
    EXPECT_EQ(Expected.endedNotice, MessageBoxTextW(done));
    TerminateProcess(starter.hProcess, 0);
    CloseProcess(starter);
}

// The report stays English here whatever the box's language: its file is
// in the system's code page, which cannot hold Japanese.
TEST_F(ForeignCodePage, TheAboutBoxFollowsTheUserAndTheReportIsEnglish) {
    PressDialogButton(dialog, IDC_ABOUT);
    HWND box = WaitForDialogOwnedBy(dialog, EventBoundMs);
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ(Expected.aboutCaption, WindowTextW(box));
    EXPECT_EQ(0u, ControlTextW(box, IDC_ABOUT_NOTICE).find(Expected.noticeStart));
    PressDialogButton(box, IDC_ABOUT_REPORT);
    HWND viewer = WaitForViewerOf("VORLEXLIB_TEMP", EventBoundMs);
    ASSERT_TRUE(viewer != NULL);
    EXPECT_EQ(0u, ViewerText(viewer).find(L"Information of your environment.\r\n\r\nVORLEX.LIB"));
}
