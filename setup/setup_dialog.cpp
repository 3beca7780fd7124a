#include "setup/setup_dialog.h"

#include <cstdio>

#include "about/about_box.h"
#include "about/about_dialog.h"
#include "common/ansi_text.h"
#include "common/atoi_number.h"
#include "common/exe_directory.h"
#include "common/nudge_settings.h"
#include "common/paths.h"
#include "common/product_identity.h"
#include "common/shell_calls.h"
#include "common/system_folder.h"
#include "common/ui_language.h"
#include "common/ui_text.h"
#include "res/resource.h"
#include "setup/shortcut.h"

static const int LongestIntervalSeconds = 2147483;  // x 1000 still fits an int

static const LocalText RangeMessage = {"秒数は1～2147483の範囲で指定してください。",
                                    "Enter a number of seconds from 1 to 2147483."};
static const LocalText UnreadableFieldMessage = {"内部エラー:SWPX0001\r\nダイアログ上の文字列を読み取れません。",
                                              "Internal error: SWPX0001\r\nThe text in the dialog cannot be read."};
static const LocalText StartQuestion = {"この設定で動作を開始してもよろしいですか?", "Start SWAYPIX with these settings?"};
static const LocalText StartedNotice = {
    "常駐を開始します。常駐解除したい場合は、swaypix.exeをもう一度起動して下さい。",
    "SWAYPIX is now running in the background. To stop it, start swaypix.exe again."};

static bool IsChecked(HWND dialog, int controlId) {
    return SendDlgItemMessageA(dialog, controlId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static int ShowSetupMessage(HWND dialog, const LocalText& text, UINT style) {
    return ShowUiMessage(dialog, PickUiText(text), ProductCaption, style);
}

static void InitSetupDialog(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_INTERVAL, "50");
    SendDlgItemMessageA(dialog, IDC_DESKTOP, BM_SETCHECK, BST_CHECKED, 0);
}

// The shortcut button reads at most the first nine characters of the
// field; an empty field is an internal error rather than a range error.
static void CreateShortcutFromDialog(HWND dialog) {
    char text[10];
    if (GetDlgItemTextA(dialog, IDC_INTERVAL, text, sizeof text) == 0) {
        ShowSetupMessage(dialog, UnreadableFieldMessage, MB_ICONERROR);
        return;
    }
    int seconds = ParseIntLikeAtoi(text);
    if (seconds < 1 || seconds > LongestIntervalSeconds) {
        ShowSetupMessage(dialog, RangeMessage, MB_ICONEXCLAMATION);
        return;
    }
    char arguments[32];
    wsprintfA(arguments, IsChecked(dialog, IDC_SHIFTMODE) ? "%d 0" : "%d", seconds * 1000);
    wchar_t target[PathBufferSize];
    bool haveTarget = GetOwnExePath(target);
    PlaceShortcut(dialog, IsChecked(dialog, IDC_DESKTOP) ? DesktopFolder : StartupFolder,
                  haveTarget ? target : NULL, arguments);
}

// The start-now button reads the whole field as an unsigned number.
static void StartNowFromDialog(HWND dialog) {
    UINT seconds = GetDlgItemInt(dialog, IDC_INTERVAL, NULL, FALSE);
    if (seconds < 1 || seconds > (UINT)LongestIntervalSeconds) {
        ShowSetupMessage(dialog, RangeMessage, MB_ICONEXCLAMATION);
        return;
    }
    NudgeInterval = (int)seconds * 1000;
    NudgeDistance = IsChecked(dialog, IDC_SHIFTMODE) ? 0 : 1;
    if (ShowSetupMessage(dialog, StartQuestion, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    ShowSetupMessage(dialog, StartedNotice, MB_ICONINFORMATION);
    EndDialog(dialog, IDC_STARTNOW);
}

// Afterwards the program's own folder is current, whatever was before.
static void OpenFeedbackPage(HWND dialog) {
    wchar_t page[128];
    WidenText(CP_ACP, MakerFeedbackPage, page, sizeof page / sizeof *page);
    SystemFolderVisit visit;
    EnterSystemFolder(&visit);
    OpenLinkOrSayCannotExecute(dialog, page, visit.systemFolder, UserSeesJapanese(), ProductName);
    LeaveSystemFolder(visit);
    RestoreExeDirectory();
}

static INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitSetupDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: CreateShortcutFromDialog(dialog); break;
        case IDC_STARTNOW: StartNowFromDialog(dialog); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        case IDC_ABOUT: ShowAboutBox(dialog, ModuleInstance); break;
        case IDC_FEEDBACK: OpenFeedbackPage(dialog); break;
        }
        return TRUE;
    }
    return FALSE;
}

// Resource 129 or its English twin, by the user's language. An ANSI
// dialog passes its texts through the system's code page, which garbles
// Japanese where that is not 932: there the dialog is a Unicode one.
INT_PTR RunSetupDialog(HINSTANCE instance) {
    WORD templateId = UserSeesJapanese() ? IDD_SETUP : IDD_SETUP_ENGLISH;
    if (AnsiCodePageIsJapanese())
        return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), NULL, SetupDialogProc, 0);
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), NULL, SetupDialogProc, 0);
}
