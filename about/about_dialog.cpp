#include "about/about_dialog.h"

#include <cstdio>

#include "about/about_box_info.h"
#include "about/about_controls.h"
#include "about/product_title.h"
#include "about/report_file.h"
#include "about/wait_cursor.h"
#include "about/window_dpi.h"
#include "common/ansi_text.h"
#include "common/optional_functions.h"
#include "common/paths.h"
#include "common/shell_calls.h"
#include "common/system_folder.h"
#include "common/ui_language.h"
#include "common/ui_text.h"
#include "envreport/report_driver.h"
#include "envreport/report_text.h"

// The box is modal, so one of each is enough.
static const AboutBoxInfo* CurrentAbout;
static HFONT LinkFont;
static WNDPROC PreviousNoticeProc;

// Locked together for a second after any action, so a double click does
// not open two browsers or build two reports.
static const int ActionButtons[] = {IDC_ABOUT_REPORT, IDC_ABOUT_DONATION, IDC_ABOUT_WEBSITE, IDC_ABOUT_MAIL,
                                    IDC_ABOUT_FEEDBACK};

static const char MailFilterNote[] =
    "　メールフィルタやサーバによるドメイン着信拒否の対象になっていることがあります。質問しているのに返信がな"
    "かなか届かない場合は、ごみ箱や迷惑メールフォルダを確認するか、フィルタ作成者・サーバ管理者にご相談下さい。";

static const char* TextOrEmpty(const char* text) {
    return text ? text : "";
}

void FormatContactText(char* out, size_t size, const AboutBoxInfo& info) {
    FormatWholeCharacters(out, size, "%s\r\n  %s\r\n\r\n%s\r\n  %s\r\n\r\n%s", info.webSite ? "[WebSite]" : "",
                          TextOrEmpty(info.webSite), info.mailAddress ? "[E-Mail]" : "",
                          TextOrEmpty(info.mailAddress), info.japanese && info.mailAddress ? MailFilterNote : "");
}

// The report file is in the system's code page, so it is Japanese only
// where that is 932, whatever language the box shows.
static bool ReportIsJapanese(const AboutBoxInfo& info) {
    return info.japanese && AnsiCodePageIsJapanese();
}

// Title and contact boxes from the version resource; without one they
// keep "(NULL)". The title line goes into the report too, so its Greek
// letters follow the report's language.
static void ShowVersionTexts(HWND box, const AboutBoxInfo& info) {
    ProductVersionTexts texts;
    if (!UpdateProductTitleLine(info.productName, ReportIsJapanese(info), &texts)) return;
    char title[ProductTitleLineSize + sizeof texts.legalCopyright + 4];
    FormatWholeCharacters(title, sizeof title, "%s\r\n\r\n%s", ProductTitleLine, texts.legalCopyright);
    SetUiItemText(box, IDC_ABOUT_TITLE, title);
    char contact[2048];
    FormatContactText(contact, sizeof contact, info);
    SetUiItemText(box, IDC_ABOUT_CONTACT, contact);
}

static const int LinkButtons[] = {IDC_ABOUT_WEBSITE, IDC_ABOUT_MAIL};

// "Wingding" with SYMBOL_CHARSET: ":" draws a computer, "*" an envelope.
// 16 pixels high at 96 dpi, as large at any other: made again for each
// DPI the box is shown at, the one it replaces deleted once unused.
static void UseLinkFont(HWND box, unsigned dpi) {
    HFONT previous = LinkFont;
    LinkFont = CreateFontA(MulDiv(16, (int)dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH, "Wingding");
    for (int id : LinkButtons) SendDlgItemMessageA(box, id, WM_SETFONT, (WPARAM)LinkFont, TRUE);
    if (previous) DeleteObject(previous);
}

// Under per-monitor v2 the dialog manager scales the box on a DPI change
// and gives every control the dialog's font: not the link buttons.
static void KeepLinkFontsOnDpiChange(HWND box) {
    SetDialogControlDpiChangeBehaviorFunction setBehavior = OptionalSetDialogControlDpiChangeBehavior();
    if (!setBehavior) return;
    for (int id : LinkButtons) setBehavior(GetDlgItem(box, id), DCDC_DISABLE_FONT_UPDATE, DCDC_DISABLE_FONT_UPDATE);
}

static void HideLinkButtonWithoutTarget(HWND box, int controlId, const char* target) {
    if (!target) ShowWindow(GetDlgItem(box, controlId), SW_HIDE);
}

static BOOL InitAboutBox(HWND box, const AboutBoxInfo* info) {
    CurrentAbout = info;
    BOOL focusDefault = TRUE;
    ShowVersionTexts(box, *info);
    SetUiItemText(box, IDC_ABOUT_NOTICE, info->notice);
    // A Unicode procedure, so the notice stays a Unicode window whose text
    // reads back unchanged.
    HWND notice = GetDlgItem(box, IDC_ABOUT_NOTICE);
    PreviousNoticeProc = (WNDPROC)SetWindowLongPtrW(notice, GWLP_WNDPROC, (LONG_PTR)NoticeEditProc);
    if (!info->feedbackPage) ShowWindow(GetDlgItem(box, IDC_ABOUT_FEEDBACK), SW_HIDE);
    if (!info->donationPage) {
        ShowWindow(GetDlgItem(box, IDC_ABOUT_DONATION), SW_HIDE);
        SetFocus(GetDlgItem(box, IDCANCEL));
        focusDefault = FALSE;
    }
    UseLinkFont(box, WindowDpi(box));
    KeepLinkFontsOnDpiChange(box);
    HideLinkButtonWithoutTarget(box, IDC_ABOUT_WEBSITE, info->webSite);
    HideLinkButtonWithoutTarget(box, IDC_ABOUT_MAIL, info->mailAddress);
    ChooseReportTempPath();
    return focusDefault;
}

static void EnableActionButtons(HWND box, BOOL enable) {
    for (int id : ActionButtons) EnableWindow(GetDlgItem(box, id), enable);
}

static const char* ReportHeader(bool japanese) {
    return japanese ? "この環境の調査結果です。報告に用いる場合は、プライバシに関わると思う部分を隠してからお送り下さい。"
                      "\r\n\r\n"
                    : "Information of your environment.\r\n\r\n";
}

// The report built and written to its file; false, with the user told
// which file could not be written, when it cannot be had whole.
static bool WriteEnvironmentReport(HWND box, const AboutBoxInfo& info) {
    bool japanese = ReportIsJapanese(info);
    HCURSOR previousCursor = BeginWaitCursor();
    bool written = WriteReportFile(ReportHeader(japanese), BuildEnvironmentReport(japanese ? 0 : 1, ProductTitleLine));
    EndWaitCursor(previousCursor);
    if (!written)
        ShowUiMessageWithPath(box,
                              info.japanese ? "環境情報をファイルに書き込めませんでした。\r\n\r\n - %s"
                                            : "Cannot write the environment report to the file.\r\n\r\n - %s",
                              ReportTempPath, info.productName, MB_ICONERROR);
    return written;
}

// What the shell is to open for a button, in UTF-16; false when there is
// nothing to open (no target, or the report could not be written).
static bool ActionTarget(HWND box, int controlId, const AboutBoxInfo& info, wchar_t (&target)[PathBufferSize]) {
    char address[PathBufferSize];
    const char* page = NULL;
    switch (controlId) {
    case IDC_ABOUT_WEBSITE: page = info.webSite; break;
    case IDC_ABOUT_MAIL:
        FormatWholeCharacters(address, sizeof address, "mailto:%s", TextOrEmpty(info.mailAddress));
        page = address;
        break;
    case IDC_ABOUT_REPORT:
        if (!WriteEnvironmentReport(box, info)) return false;
        lstrcpyW(target, ReportTempPath);
        return true;
    case IDC_ABOUT_DONATION: page = info.donationPage; break;
    case IDC_ABOUT_FEEDBACK: page = info.feedbackPage; break;
    }
    WidenText(CP_ACP, TextOrEmpty(page), target, PathBufferSize);
    return true;
}

void OpenLinkOrSayCannotExecute(HWND owner, const wchar_t* target, const wchar_t* folder, bool japanese,
                                const char* caption) {
    if ((INT_PTR)OpenWithShell(owner, target, folder) <= 32)
        ShowUiMessage(owner, japanese ? "起動に失敗しました。" : "Cannot Execute.", caption, MB_ICONERROR);
}

static void RunLinkAction(HWND box, int controlId) {
    EnableActionButtons(box, FALSE);
    SetTimer(box, ReenableTimer, 1000, NULL);
    SystemFolderVisit visit;
    EnterSystemFolder(&visit);

    const AboutBoxInfo& info = *CurrentAbout;
    wchar_t target[PathBufferSize];
    if (ActionTarget(box, controlId, info, target))
        OpenLinkOrSayCannotExecute(box, target, visit.systemFolder, info.japanese, info.productName);
    LeaveSystemFolder(visit);
}

static BOOL OnAboutCommand(HWND box, int controlId) {
    switch (controlId) {
    case IDCANCEL: EndDialog(box, 0); return TRUE;
    case IDC_ABOUT_REPORT:
        if (CurrentAbout->reportCallback) {
            CurrentAbout->reportCallback(box);
            return TRUE;
        }
        RunLinkAction(box, controlId);
        return TRUE;
    case IDC_ABOUT_WEBSITE:
    case IDC_ABOUT_MAIL:
    case IDC_ABOUT_DONATION:
    case IDC_ABOUT_FEEDBACK: RunLinkAction(box, controlId); return TRUE;
    }
    return FALSE;
}

// Moved to a monitor of another scale: the size Windows suggests for it,
// and the link symbols remade for the new DPI. The dialog manager scales
// the other controls afterwards.
static void OnAboutDpiChanged(HWND box, WPARAM wParam, const RECT* suggested) {
    SetWindowPos(box, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    UseLinkFont(box, HIWORD(wParam));
}

static void OnAboutDestroy(HWND box) {
    if (LinkFont) {
        for (int id : LinkButtons) SendDlgItemMessageA(box, id, WM_SETFONT, 0, FALSE);
        DeleteObject(LinkFont);
        LinkFont = NULL;
    }
    DeleteFileW(ReportTempPath);
}

INT_PTR CALLBACK AboutDialogProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return InitAboutBox(box, (const AboutBoxInfo*)lParam);
    case WM_COMMAND: return OnAboutCommand(box, LOWORD(wParam));
    case WM_TIMER:
        if (wParam == ReenableTimer) {
            EnableActionButtons(box, TRUE);
            KillTimer(box, ReenableTimer);
        }
        return TRUE;
    case WM_DPICHANGED: OnAboutDpiChanged(box, wParam, (const RECT*)lParam); return FALSE;
    case WM_DESTROY: OnAboutDestroy(box); return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK NoticeEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && wParam == 1) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
    }
    return CallWindowProcW(PreviousNoticeProc, edit, message, wParam, lParam);
}
