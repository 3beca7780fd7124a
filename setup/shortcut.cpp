#include "setup/shortcut.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "common/ansi_text.h"
#include "common/paths.h"
#include "common/product_identity.h"
#include "common/shell_calls.h"
#include "common/shell_folders.h"
#include "common/ui_language.h"
#include "common/ui_text.h"

static const unsigned LastShortcutNumber = 65535;

static wchar_t* DesktopFolderCopy = NULL;

static const LocalText CreatedMessage = {
    "SWAYPIXショートカットを作成しました。\r\n\r\n - %s\r\n\r\n"
    "このショートカットを起動すると、無言でSWAY_PIXが常駐します。\r\n"
    "常駐を解除するには、もう一度ショートカットを起動してください。",
    "The SWAYPIX shortcut has been created.\r\n\r\n - %s\r\n\r\n"
    "Starting this shortcut runs SWAYPIX silently in the background.\r\n"
    "To stop it, start the shortcut again."};
// Line feeds alone in this one message, as it has always been.
static const LocalText FailedMessage = {"ショートカットの作成に失敗しました。\n\n - %s",
                                     "The shortcut could not be created.\n\n - %s"};
static const LocalText NameTakenMessage = {
    "作成しようとしているショートカットのファイル名と同名のファイルが存在しており、"
    "ショートカットを作成できません。\r\n\r\n - SWAYPIX.LNK",
    "A file with the shortcut's name already exists, so the shortcut cannot be created.\r\n\r\n - SWAYPIX.LNK"};

// Asked of the shell once per process and kept; null (and not kept) when
// the shell cannot name the folder.
static const wchar_t* GetDesktopFolderPath() {
    if (DesktopFolderCopy) return DesktopFolderCopy;
    wchar_t path[PathBufferSize];
    if (!GetShellFolderPath(CSIDL_DESKTOPDIRECTORY, path)) return NULL;
    DesktopFolderCopy = _wcsdup(path);
    return DesktopFolderCopy;
}

// A link keeps fewer than MAX_PATH characters of its target, and Wine's
// SetPath answers S_FALSE, a success code, for a path it stored cut or
// garbled; so only S_OK and the path read back make a link worth saving:
// the same path, or one naming a file that is there (the shell may give
// the long form of a short name). The icon and description are cosmetic.
static bool SetLinkTarget(IShellLinkW* link, const wchar_t* target, const wchar_t* arguments) {
    wchar_t stored[PathBufferSize];
    return link->SetPath(target) == S_OK && SUCCEEDED(link->SetArguments(arguments)) &&
           link->GetPath(stored, PathBufferSize, NULL, 0) == S_OK &&
           (lstrcmpiW(stored, target) == 0 || GetFileAttributesW(stored) != INVALID_FILE_ATTRIBUTES);
}

bool CreateShortcut(const wchar_t* target, const wchar_t* arguments, const wchar_t* linkPath) {
    if (!target || !*target || wcslen(target) >= MAX_PATH) return false;
    ShellLinkObject object;
    if (!CreateShellLinkObject(&object)) return false;
    IShellLinkW* link = object.link;
    link->SetShowCmd(SW_SHOW);
    link->SetWorkingDirectory(L"");
    link->SetIconLocation(NULL, 0);
    link->SetHotkey(0);
    link->SetDescription(L"");
    bool saved = SetLinkTarget(link, target, arguments) && object.file->Save(linkPath, TRUE) == S_OK;
    ReleaseShellLinkObject(&object);
    return saved;
}

static void ShowShortcutOutcome(HWND owner, const LocalText& format, const wchar_t* path, UINT icon) {
    ShowUiMessageWithPath(owner, PickUiText(format), path, ProductCaption, icon);
}

static void ShowShortcutFailure(HWND owner, const wchar_t* path) {
    ShowShortcutOutcome(owner, FailedMessage, path, MB_ICONERROR);
}

void PlaceShortcut(HWND owner, ShortcutFolder choice, const wchar_t* target, const wchar_t* arguments) {
    wchar_t startup[PathBufferSize];
    const wchar_t* folder = NULL;
    if (choice == DesktopFolder) folder = GetDesktopFolderPath();
    else if (GetShellFolderPath(CSIDL_STARTUP, startup)) folder = startup;
    if (!folder) {
        ShowShortcutFailure(owner, ShortcutFileName);
        return;
    }

    wchar_t candidate[PathBufferSize];
    bool joined = JoinFolderAndName(candidate, folder, ShortcutStem, ShortcutExtension);
    for (unsigned number = 2; joined && FileExists(candidate); ++number) {
        if (number > LastShortcutNumber) {
            ShowUiMessage(owner, PickUiText(NameTakenMessage), ProductCaption, MB_ICONEXCLAMATION);
            return;
        }
        wchar_t stem[32];
        wsprintfW(stem, L"%s(%u)", ShortcutStem, number);
        joined = JoinFolderAndName(candidate, folder, stem, ShortcutExtension);
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
