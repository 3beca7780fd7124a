#include "setup/shortcut.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "common/ansi_files.h"
#include "common/paths.h"
#include "common/product_identity.h"
#include "common/shell_calls.h"
#include "common/shell_folders.h"
#include "common/ui_language.h"
#include "common/ui_text.h"

static const unsigned LastShortcutNumber = 65535;

static char* DesktopFolderCopy = NULL;

static const UiText CreatedMessage = {
    "SWAYPIXショートカットを作成しました。\r\n\r\n - %s\r\n\r\n"
    "このショートカットを起動すると、無言でSWAY_PIXが常駐します。\r\n"
    "常駐を解除するには、もう一度ショートカットを起動してください。",
    "The SWAYPIX shortcut has been created.\r\n\r\n - %s\r\n\r\n"
    "Starting this shortcut runs SWAYPIX silently in the background.\r\n"
    "To stop it, start the shortcut again."};
// Line feeds alone in this one message, as it has always been.
static const UiText FailedMessage = {"ショートカットの作成に失敗しました。\n\n - %s",
                                     "The shortcut could not be created.\n\n - %s"};
static const UiText NameTakenMessage = {
    "作成しようとしているショートカットのファイル名と同名のファイルが存在しており、"
    "ショートカットを作成できません。\r\n\r\n - SWAYPIX.LNK",
    "A file with the shortcut's name already exists, so the shortcut cannot be created.\r\n\r\n - SWAYPIX.LNK"};

const char* GetDesktopFolderPath() {
    if (DesktopFolderCopy) return DesktopFolderCopy;
    char path[PathBufferSize];
    if (!GetShellFolderPath(CSIDL_DESKTOPDIRECTORY, path)) return NULL;
    DesktopFolderCopy = _strdup(path);
    return DesktopFolderCopy;
}

bool CreateShortcut(const char* target, const char* arguments, const char* linkPath) {
    if (!target || !*target) return false;
    ShellLinkObject object;
    if (!CreateShellLinkObject(&object)) return false;
    IShellLinkA* link = object.link;
    link->SetPath(target);
    link->SetShowCmd(SW_SHOW);
    link->SetWorkingDirectory("");
    link->SetIconLocation(NULL, 0);
    link->SetHotkey(0);
    link->SetDescription("");
    link->SetArguments(arguments);
    WCHAR wideLinkPath[PathBufferSize];
    bool saved = WidenPath(linkPath, wideLinkPath) && object.file->Save(wideLinkPath, TRUE) == S_OK;
    ReleaseShellLinkObject(&object);
    return saved;
}

static void ShowShortcutOutcome(HWND owner, const UiText& format, const char* path, UINT icon) {
    WCHAR widePath[PathBufferSize];
    if (!WidenPath(path, widePath)) widePath[0] = L'\0';
    ShowUiMessageWithPath(owner, PickUiText(format), widePath, ProductCaption, icon);
}

static void ShowShortcutFailure(HWND owner, const char* path) {
    ShowShortcutOutcome(owner, FailedMessage, path, MB_ICONERROR);
}

void PlaceShortcut(HWND owner, ShortcutFolder choice, const char* target, const char* arguments) {
    char startup[PathBufferSize];
    const char* folder = NULL;
    if (choice == DesktopFolder) folder = GetDesktopFolderPath();
    else if (GetShellFolderPath(CSIDL_STARTUP, startup)) folder = startup;
    if (!folder) {
        ShowShortcutFailure(owner, "SWAYPIX.LNK");
        return;
    }

    char candidate[PathBufferSize];
    bool joined = JoinFolderAndName(candidate, folder, ProductName, ".LNK");
    for (unsigned number = 2; joined && FileExists(candidate); ++number) {
        if (number > LastShortcutNumber) {
            ShowUiMessage(owner, PickUiText(NameTakenMessage), ProductCaption, MB_ICONEXCLAMATION);
            return;
        }
        char stem[32];
        wsprintfA(stem, "SWAYPIX(%u)", number);
        joined = JoinFolderAndName(candidate, folder, stem, ".LNK");
    }
    if (!joined) {
        ShowShortcutFailure(owner, folder);  // no name fits in a path
        return;
    }

    if (CreateShortcut(target, arguments, candidate))
        ShowShortcutOutcome(owner, CreatedMessage, candidate, MB_ICONINFORMATION);
    else
        ShowShortcutFailure(owner, candidate);
}
