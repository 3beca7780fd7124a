#include "envreport/os/screen_lines.h"

#include <windows.h>

#include "common/session_access.h"
#include "common/system_dpi.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"

static void AppendScreenSize(ReportBuffer& report) {
    HDC screen = GetDC(NULL);
    int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    char line[80];
    FormatWholeCharacters(line, sizeof line, "%dx%d (%dbpp) ", Session.getSystemMetrics(SM_CXSCREEN),
                          Session.getSystemMetrics(SM_CYSCREEN), bitsPerPixel);
    ReleaseDC(NULL, screen);
    report.Append(Pick("\r\n画面          :", "\r\nScreen        :"));
    report.Append(line);
}

// Without a work area (the call failed) a zero rectangle is shown.
static void AppendWorkArea(ReportBuffer& report) {
    RECT work = {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) work = RECT();
    report.AppendFormat(Pick("[作業領域 (%d,%d)-(%d,%d)]", "[Work Area (%d,%d)-(%d,%d)]"), (int)work.left, (int)work.top,
                        (int)work.right, (int)work.bottom);
}

// The scaling the system DPI stands for: 96 is 100%, 144 150%.
static void AppendSystemDpi(ReportBuffer& report) {
    unsigned dpi = SystemDpi();
    report.AppendFormat("\r\n DPI          :%u (%u%%)", dpi, (dpi * 100 + 48) / 96);
}

static void AppendVirtualScreen(ReportBuffer& report) {
    int left = Session.getSystemMetrics(SM_XVIRTUALSCREEN);
    int top = Session.getSystemMetrics(SM_YVIRTUALSCREEN);
    report.Append(Pick("\r\n仮想画面      :", "\r\nVirtual Screen:"));
    int right = left + Session.getSystemMetrics(SM_CXVIRTUALSCREEN);
    int bottom = top + Session.getSystemMetrics(SM_CYVIRTUALSCREEN);
    report.AppendFormat(Pick("(%d,%d)-(%d,%d) [画面数:%d]", "(%d,%d)-(%d,%d) [Monitors:%d]"), left, top, right, bottom,
                        Session.getSystemMetrics(SM_CMONITORS));
}

// EnumDisplayMonitors callback; `data` is the ReportBuffer. Always goes on
// to the next monitor.
static BOOL CALLBACK MonitorLineProc(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    ReportBuffer& report = *(ReportBuffer*)data;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& whole = info.rcMonitor;
    const RECT& work = info.rcWork;
    report.Append(Pick("\r\n モニタ情報   :", "\r\n Monitor Info :"));
    report.AppendFormat(" (%d,%d)-(%d,%d) [%s (%d,%d)-(%d,%d)]", (int)whole.left, (int)whole.top, (int)whole.right,
                        (int)whole.bottom, Pick("作業領域", "Workarea"), (int)work.left, (int)work.top, (int)work.right,
                        (int)work.bottom);
    if (info.dwFlags & MONITORINFOF_PRIMARY) report.Append(Pick(" *プライマリ", " *primary"));
    return TRUE;
}

void AppendScreenLines(ReportBuffer& report) {
    AppendScreenSize(report);
    AppendWorkArea(report);
    AppendSystemDpi(report);
    AppendVirtualScreen(report);
    EnumDisplayMonitors(NULL, NULL, MonitorLineProc, (LPARAM)&report);
}
