#include "setup/setup_dialog.h"

#include <cstdio>

#include "about/about_box.h"
#include "about/about_dialog.h"
#include "common/ansi_text.h"
#include "common/atoi_number.h"
#include "common/exe_directory.h"
#include "common/nudge_arguments.h"
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
static const LocalText UntilRangeMessage = {"時刻は0:00～23:59の範囲で指定してください。",
                                         "Enter a time from 0:00 to 23:59."};
static const LocalText ForRangeMessage = {"分数は1～10080の範囲で指定してください。",
                                       "Enter a number of minutes from 1 to 10080."};
static const LocalText HoursRangeMessage = {"時間帯は0:00～23:59で、開始と終了を別の時刻にしてください。",
                                         "Enter working hours from 0:00 to 23:59, with different start and end times."};
static const LocalText ArgumentsTooLongMessage = {
    "設定が長すぎてショートカットに書き込めません。ショートカットは作成していません。",
    "These settings are too long to be written into a shortcut. No shortcut was made."};
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

// A bound's number fields, each with the box that turns the bound on, its
// range and the message for a value outside it.
struct BoundField {
    int checkId;
    int fieldId;
    UINT lowest, highest;
    const LocalText* rangeMessage;
    const char* initialText;
};

// Where each field's number is kept while the bounds are read; a time's
// minute follows its hour.
enum BoundValue { UntilHour, UntilMinute, ForMinutes, HoursFromHour, HoursFromMinute, HoursToHour, HoursToMinute };

static const BoundField BoundFields[] = {
    {IDC_UNTIL, IDC_UNTIL_HOUR, 0, 23, &UntilRangeMessage, "18"},
    {IDC_UNTIL, IDC_UNTIL_MINUTE, 0, 59, &UntilRangeMessage, "00"},
    {IDC_FOR, IDC_FOR_MINUTES, 1, LongestForMinutes, &ForRangeMessage, "60"},
    {IDC_HOURS, IDC_HOURS_FROM_HOUR, 0, 23, &HoursRangeMessage, "9"},
    {IDC_HOURS, IDC_HOURS_FROM_MINUTE, 0, 59, &HoursRangeMessage, "00"},
    {IDC_HOURS, IDC_HOURS_TO_HOUR, 0, 23, &HoursRangeMessage, "18"},
    {IDC_HOURS, IDC_HOURS_TO_MINUTE, 0, 59, &HoursRangeMessage, "00"},
};
static const size_t BoundFieldCount = sizeof BoundFields / sizeof *BoundFields;

// A bound's fields take input only while its box is checked, and the Shift
// box only while input is sent at all.
static void EnableBoundFields(HWND dialog) {
    for (const BoundField& field : BoundFields)
        EnableWindow(GetDlgItem(dialog, field.fieldId), IsChecked(dialog, field.checkId));
    EnableWindow(GetDlgItem(dialog, IDC_SHIFTMODE), !IsChecked(dialog, IDC_SYSTEM_ONLY));
}

static void InitSetupDialog(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_INTERVAL, "50");
    SendDlgItemMessageA(dialog, IDC_DESKTOP, BM_SETCHECK, BST_CHECKED, 0);
    for (const BoundField& field : BoundFields) SetDlgItemTextA(dialog, field.fieldId, field.initialText);
    EnableBoundFields(dialog);
}

static void ShowBoundRangeMessage(HWND dialog, const BoundField& field) {
    ShowSetupMessage(dialog, *field.rangeMessage, MB_ICONEXCLAMATION);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, field.fieldId), TRUE);
}

// The field's number, or its range message with the focus put on it.
static bool ReadBoundField(HWND dialog, const BoundField& field, int* value) {
    BOOL read = FALSE;
    UINT number = GetDlgItemInt(dialog, field.fieldId, &read, FALSE);
    if (read && number >= field.lowest && number <= field.highest) {
        *value = (int)number;
        return true;
    }
    ShowBoundRangeMessage(dialog, field);
    return false;
}

static int MinuteOfDay(const int* values, BoundValue hour) {
    return values[hour] * 60 + values[hour + 1];
}

// The checked bounds into `bounds`; false when one is out of range, or
// the working hours would never begin.
static bool ReadBoundsFromDialog(HWND dialog, NudgeBounds* bounds) {
    int values[BoundFieldCount] = {};
    for (size_t i = 0; i < BoundFieldCount; ++i)
        if (IsChecked(dialog, BoundFields[i].checkId) && !ReadBoundField(dialog, BoundFields[i], &values[i]))
            return false;
    ZeroMemory(bounds, sizeof *bounds);
    bounds->hasUntil = IsChecked(dialog, IDC_UNTIL);
    bounds->untilMinuteOfDay = MinuteOfDay(values, UntilHour);
    bounds->forMinutes = values[ForMinutes];
    bounds->mainsOnly = IsChecked(dialog, IDC_MAINS_ONLY);
    bounds->hasHours = IsChecked(dialog, IDC_HOURS);
    bounds->hoursFromMinute = MinuteOfDay(values, HoursFromHour);
    bounds->hoursToMinute = MinuteOfDay(values, HoursToHour);
    bounds->days = IsChecked(dialog, IDC_WEEKDAYS) ? MondayToFriday : 0;
    bounds->systemOnly = IsChecked(dialog, IDC_SYSTEM_ONLY);
    if (bounds->hasHours && bounds->hoursFromMinute == bounds->hoursToMinute) {
        ShowBoundRangeMessage(dialog, BoundFields[HoursToHour]);
        return false;
    }
    return true;
}

static int DistanceFromDialog(HWND dialog) {
    return IsChecked(dialog, IDC_SHIFTMODE) ? 0 : 1;
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
    NudgeArguments settings = {seconds * 1000, DistanceFromDialog(dialog), {}};
    if (!ReadBoundsFromDialog(dialog, &settings.bounds)) return;
    // Without its arguments a shortcut would open this dialog instead.
    wchar_t arguments[DialogArgumentsSize];
    if (!FormatNudgeArguments(settings, arguments, DialogArgumentsSize)) {
        ShowSetupMessage(dialog, ArgumentsTooLongMessage, MB_ICONERROR);
        return;
    }
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
    NudgeBounds bounds;
    if (!ReadBoundsFromDialog(dialog, &bounds)) return;
    NudgeInterval = (int)seconds * 1000;
    NudgeDistance = DistanceFromDialog(dialog);
    SessionBounds = bounds;
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
        case IDC_UNTIL:
        case IDC_FOR:
        case IDC_HOURS:
        case IDC_SYSTEM_ONLY: EnableBoundFields(dialog); break;
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
