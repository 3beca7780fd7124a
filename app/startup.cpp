#include "app/startup.h"

#include "app/command_line.h"
#include "app/resident_window.h"
#include "app/session_end.h"
#include "common/dll_search.h"
#include "common/nudge_arguments.h"
#include "common/nudge_settings.h"
#include "common/product_identity.h"
#include "common/shell_calls.h"
#include "common/ui_language.h"
#include "common/ui_text.h"
#include "res/resource.h"
#include "setup/setup_dialog.h"

// How long a second start waits for the resident instance to take its
// WM_DESTROY. It answers in milliseconds; a hung one must not hang us.
static const UINT EndResidencyTimeoutMs = 5000;

static const LocalText EndQuestion = {"常駐を解除してもよろしいですか。", "SWAYPIX is running. Do you want to stop it?"};
static const LocalText EndedNotice = {"常駐解除しました。", "SWAYPIX has stopped."};
static const LocalText EndFailedNotice = {"常駐を解除できませんでした。",
                                       "SWAYPIX did not respond and could not be stopped."};
static const LocalText RefusedArgumentMessage = {
    "引数「%s」は使えません。常駐を開始しませんでした。\r\n\r\n"
    "swaypix.exe 間隔(ミリ秒) [距離] [/UNTIL:時:分] [/FOR:分] [/HOURS:時:分-時:分] [/DAYS:曜日]"
    " [/WHILE:名前.exe] [/AC] [/SYSTEM]\r\n"
    "時:分は0:00～23:59 (/HOURSは別々の時刻)、分は1～10080、曜日はMON～SUNを,と-でつなぐ"
    " (各曜日1回)、名前はパスなし。スイッチは間隔と共に各1回まで。",
    "The argument \"%s\" cannot be used; SWAYPIX did not start.\r\n\r\n"
    "swaypix.exe INTERVAL_MS [DISTANCE] [/UNTIL:HH:MM] [/FOR:MINUTES] [/HOURS:HH:MM-HH:MM] [/DAYS:DAYS]"
    " [/WHILE:NAME.EXE] [/AC] [/SYSTEM]\r\n"
    "HH:MM 0:00 to 23:59 (two different ones for /HOURS), MINUTES 1 to 10080, DAYS MON to SUN joined"
    " by , and - (each day once), NAME without a path; each switch once, with an interval."};

static const LocalText WatchedNotRunning = {"%s が実行されていないため、常駐を開始しませんでした。",
                                            "%s is not running, so SWAYPIX did not start."};

// True only when the resident instance's window procedure has handled the
// message, i.e. its timer is stopped and its quit message posted.
static bool TellResidentToQuit(HWND resident) {
    DWORD_PTR ignored;
    return SendMessageTimeoutA(resident, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG,
                               EndResidencyTimeoutMs, &ignored) != 0;
}

static int EndResidency(HWND resident, const wchar_t* commandTail) {
    if (IsSilentToggleText(commandTail)) {
        TellResidentToQuit(resident);
        return 0;
    }
    if (ShowUiMessage(NULL, PickUiText(EndQuestion), ProductCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    // The session may have ended while the question was up: by its bounds,
    // or by another start with /X.
    if (TellResidentToQuit(resident) || !IsWindow(resident))
        ShowUiMessage(NULL, PickUiText(EndedNotice), ProductCaption, MB_ICONINFORMATION);
    else
        ShowUiMessage(NULL, PickUiText(EndFailedNotice), ProductCaption, MB_ICONERROR);
    return 0;
}

static int RunResident(HINSTANCE instance) {
    if (!BeginSessionBounds()) {
        ShowUiMessageWithPath(NULL, PickUiText(WatchedNotRunning), SessionBounds.whileName, ProductCaption,
                              MB_ICONEXCLAMATION);
        return 0;
    }
    RegisterResidentClass(instance);
    if (!CreateResidentWindow(instance)) return 0;
    MSG msg;
    msg.wParam = 0;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}

static bool SetupDialogStartsNow(HINSTANCE instance) {
    LoadThemeLibrariesFromSystemFolder();
    return RunSetupDialog(instance) == IDC_STARTNOW;
}

// A refused line names its word and starts nothing.
int RunStartup(HINSTANCE instance, const wchar_t* commandTail) {
    ModuleInstance = instance;
    HWND resident = FindWindowA(ResidentWindowName, ResidentWindowName);
    if (resident) return EndResidency(resident, commandTail);
    if (IsSilentToggleText(commandTail)) return 0;

    NudgeVerdict verdict = ReadNudgeArguments(commandTail);
    if (verdict.reading != NudgeArgumentsAccepted) {
        ShowUiMessageWithPath(NULL, PickUiText(RefusedArgumentMessage), verdict.word, ProductCaption,
                              MB_ICONEXCLAMATION);
        return 0;
    }
    if (NudgeInterval != 0) return RunResident(instance);
    // Only the set-up dialog creates shortcuts, so only its path starts
    // COM. Without COM the dialog still runs; shortcut creation then
    // reports its own failure. Only a successful start is balanced.
    bool comReady = SUCCEEDED(InitializeCom());
    bool startNow = SetupDialogStartsNow(instance);
    if (comReady) UninitializeCom();
    return startNow ? RunResident(instance) : 0;
}
