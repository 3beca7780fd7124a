#include "setup/shortcut.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "common/path_message.h"
#include "common/paths.h"
#include "common/product_identity.h"
#include "common/shell_calls.h"
#include "common/shell_folders.h"
#include "common/wide_text.h"

static const unsigned LastShortcutNumber = 65535;

static wchar_t* DesktopFolderCopy = NULL;

const wchar_t* GetDesktopFolderPath() {
    if (DesktopFolderCopy) return DesktopFolderCopy;
    wchar_t path[PathBufferSize];
    if (!GetShellFolderPath(CSIDL_DESKTOPDIRECTORY, path)) return NULL;
    DesktopFolderCopy = _wcsdup(path);
    return DesktopFolderCopy;
}

bool CreateShortcut(const wchar_t* target, const char* arguments, const wchar_t* linkPath) {
    wchar_t wideArguments[64];
    if (!target || !*target || !WidenText(CP_ACP, arguments, wideArguments, sizeof wideArguments / sizeof *wideArguments))
        return false;
    ShellLinkObject object;
    if (!CreateShellLinkObject(&object)) return false;
    IShellLinkW* link = object.link;
    link->SetPath(target);
    link->SetShowCmd(SW_SHOW);
    link->SetWorkingDirectory(L"");
    link->SetIconLocation(NULL, 0);
    link->SetHotkey(0);
    link->SetDescription(L"");
    link->SetArguments(wideArguments);
    bool saved = object.file->Save(linkPath, TRUE) == S_OK;
    ReleaseShellLinkObject(&object);
    return saved;
}

// Line feeds alone in this one message, as it has always been.
static void ShowShortcutFailure(HWND owner, const wchar_t* path) {
    ShowPathMessage(owner, "ショートカットの作成に失敗しました。\n\n - %s", path, ProductCaption, MB_ICONERROR);
}

void PlaceShortcut(HWND owner, ShortcutFolder choice, const wchar_t* target, const char* arguments) {
    wchar_t startup[PathBufferSize];
    const wchar_t* folder = NULL;
    if (choice == DesktopFolder) folder = GetDesktopFolderPath();
    else if (GetShellFolderPath(CSIDL_STARTUP, startup)) folder = startup;
    if (!folder) {
        ShowShortcutFailure(owner, L"SWAYPIX.LNK");
        return;
    }

    wchar_t candidate[PathBufferSize];
    bool joined = JoinFolderAndName(candidate, folder, L"SWAYPIX", L".LNK");
    for (unsigned number = 2; joined && FileExists(candidate); ++number) {
        if (number > LastShortcutNumber) {
            MessageBoxA(owner,
                        "作成しようとしているショートカットのファイル名と同名のファイルが存在しており、"
                        "ショートカットを作成できません。\r\n\r\n - SWAYPIX.LNK",
                        ProductCaption, MB_ICONEXCLAMATION);
            return;
        }
        wchar_t stem[32];
        wsprintfW(stem, L"SWAYPIX(%u)", number);
        joined = JoinFolderAndName(candidate, folder, stem, L".LNK");
    }
    if (!joined) {
        ShowShortcutFailure(owner, folder);  // no name fits in a path
        return;
    }

    if (CreateShortcut(target, arguments, candidate))
        ShowPathMessage(owner,
                        "SWAYPIXショートカットを作成しました。\r\n\r\n - %s\r\n\r\n"
                        "このショートカットを起動すると、無言でSWAY_PIXが常駐します。\r\n"
                        "常駐を解除するには、もう一度ショートカットを起動してください。",
                        candidate, ProductCaption, MB_ICONINFORMATION);
    else
        ShowShortcutFailure(owner, candidate);
}
