#include "envreport/os/session_section.h"

#include "common/session_access.h"
#include "envreport/os/screen_lines.h"
#include "envreport/os/windows_version.h"
#include "envreport/registry_values.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"


static_assert(sizeof(MEMORYSTATUSEX) == 64, "the record Windows 2000 knows");

static void AppendMemoryAmounts(ReportBuffer& report, const char* label, DWORDLONG available, DWORDLONG total) {
    // Total first: both texts live in FormatThousands' two buffers.
    const char* totalText = FormatThousands(total);
    const char* availableText = FormatThousands(available);
    char line[160];
    FormatWholeCharacters(line, sizeof line,
                          Pick("%14s /%14s バイト(%5I64u/%5I64uMB)", "%14s /%14s bytes (%5I64u/%5I64uMB)"), availableText,
                          totalText, available >> 20, total >> 20);
    report.Append(label);
    report.Append(line);
}

// GlobalMemoryStatusEx arrived with Windows 2000; a failed call leaves
// zeros, which read as zero.
static void AppendMemoryLines(ReportBuffer& report) {
    if (GetWindowsVersionCode() < 500) return;
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    AppendMemoryAmounts(report, Pick("\r\n物理メモリ残  :", "\r\nPhysical Mem. :"), memory.ullAvailPhys,
                        memory.ullTotalPhys);
    AppendMemoryAmounts(report, Pick("\r\nページ残      :", "\r\nPage File     :"), memory.ullAvailPageFile,
                        memory.ullTotalPageFile);
    AppendMemoryAmounts(report, Pick("\r\n仮想メモリ残  :", "\r\nVirtual Memory:"), memory.ullAvailVirtual,
                        memory.ullTotalVirtual);
    report.Append(Pick("\r\nメモリ使用率  :", "\r\nMemory Used   :"));
    report.AppendFormat("%3d%%", (int)memory.dwMemoryLoad);
}

// GetKeyboardType(0) from 1 to 7.
static const LocalText KeyboardNames[] = {
    {"IBM PC/XTまたは互換キーボード(83キー)", "IBM PC/XT or compatible (83-key) keyboard"},
    {"Olivetti \"ICO\" キーボード(102キー)", "Olivetti \"ICO\" (102-key) keyboard"},
    {"IBM PC/ATまたは類似のキーボード(84キー)", "IBM PC/AT (84-key) or similar keyboard"},
    {"IBM 拡張キーボード(101または102キー)", "IBM enhanced (101- or 102-key) keyboard"},
    {"Nokia 1050または類似のキーボード", "Nokia 1050 and similar keyboards"},
    {"Nokia 9140または類似のキーボード", "Nokia 9140 and similar keyboards"},
    {"日本語キーボード", "Japanese keyboard"},
};

// GetKeyboardType(2) from 1 to 6.
static const LocalText FunctionKeyCounts[] = {
    {"10", "10"}, {"12 または 18", "12 or 18"}, {"10", "10"}, {"12", "12"}, {"10", "10"}, {"24", "24"},
};

static const char* TableTextOrNumber(const LocalText* table, int count, int value) {
    if (value >= 1 && value <= count) return Pick(table[value - 1]);
    return FormatUnsigned((uint32_t)value);
}

static void AppendKeyboard(ReportBuffer& report) {
    report.Append(Pick("\r\nキーボード    :", "\r\nKeyboard Type :"));
    report.Append(TableTextOrNumber(KeyboardNames, 7, GetKeyboardType(0)));
    report.AppendFormat(Pick("  サブタイプ:%04xh  ファンクションキー:", "  SubType:%04xh  function keys:"),
                        GetKeyboardType(1));
    report.Append(TableTextOrNumber(FunctionKeyCounts, 6, GetKeyboardType(2)));
}

static void AppendDomainName(ReportBuffer& report, const char* userName) {
    BYTE sid[500] = {};
    DWORD sidSize = sizeof sid;
    char domain[500] = {};
    DWORD domainSize = sizeof domain;
    SID_NAME_USE use;
    if (!LookupAccountNameA(NULL, userName, sid, &sidSize, domain, &domainSize, &use)) return;
    report.Append(Pick("\r\nドメイン名    :", "\r\nDomain Name   :"));
    report.Append(domain);
}

static void AppendNames(ReportBuffer& report) {
    char computer[16];
    DWORD computerSize = sizeof computer;
    if (GetComputerNameA(computer, &computerSize)) {
        report.Append(Pick("\r\nマシン名      :", "\r\nMachine Name  :"));
        report.Append(computer);
    }
    char user[257];
    DWORD userSize = sizeof user;
    if (!GetUserNameA(user, &userSize)) return;
    report.Append(Pick("\r\n使用者名      :", "\r\nUser Name     :"));
    report.Append(user);
    AppendDomainName(report, user);
}

// "90061001 milliseconds (1 day(s) 1:01:01.001)" in the report's language.
static void FormatUptime(DWORD t, char (&text)[80]) {
    wsprintfA(text, Pick("%uミリ秒 (%u日%2u:%02u:%02u.%03u)", "%u milliseconds (%u day(s) %u:%02u:%02u.%03u)"),
              (unsigned)t, (unsigned)(t / 86400000), (unsigned)(t / 3600000 % 24), (unsigned)(t / 60000 % 60),
              (unsigned)(t / 1000 % 60), (unsigned)(t % 1000));
}

static void AppendUptime(ReportBuffer& report) {
    char uptime[80];
    FormatUptime(Session.getTickCount(), uptime);
    report.Append(Pick("\r\n起動経過時間  :", "\r\nGetTickCount  :"));
    report.Append(uptime);
}

static void AppendFlag(ReportBuffer& report, const char* label, bool set) {
    report.Append(label);
    report.Append(set ? "1" : "0");
}

static void AppendMouse(ReportBuffer& report) {
    report.Append(Pick("\r\nマウスボタン数:", "\r\nMouse Buttons :"));
    report.Append(FormatUnsigned((uint32_t)Session.getSystemMetrics(SM_CMOUSEBUTTONS)));
    if (Session.getSystemMetrics(SM_SWAPBUTTON))
        report.Append(Pick("(左右ボタン交換)", "(the left and right mouse buttons are swapped)"));
    if (Session.getSystemMetrics(SM_MOUSEWHEELPRESENT))
        report.Append(Pick("(マウスホイール有り)", "(Mouse Wheel is installed)"));
}

struct PolicyValue {
    const char* prefix;
    const char* name;
};

static const PolicyValue UserAccountControlValues[] = {
    {"EnableLUA=", "EnableLUA"},
    {", PromptOnSecureDesktop=", "PromptOnSecureDesktop"},
    {", ConsentPromptBehaviorAdmin=", "ConsentPromptBehaviorAdmin"},
    {", ConsentPromptBehaviorUser=", "ConsentPromptBehaviorUser"},
};

// Vista and later; a missing value leaves its prefix without a number.
static void AppendUserAccountControl(ReportBuffer& report) {
    if (GetWindowsVersionCode() < 600) return;
    report.Append(Pick("\r\nﾕｰｻﾞｰｱｶｳﾝﾄ制御:", "\r\nUAC           :"));
    HKEY key = OpenRegKeyForQuery(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System");
    if (!key) return;
    for (const PolicyValue& value : UserAccountControlValues) {
        report.Append(value.prefix);
        DWORD number;
        if (QueryRegDword(key, value.name, number)) report.Append(FormatUnsigned(number));
    }
    RegCloseKey(key);
}

void WriteSessionSection(ReportBuffer& report, ReportContext&) {
    AppendMemoryLines(report);
    AppendScreenLines(report);
    AppendKeyboard(report);
    AppendNames(report);
    AppendUptime(report);
    AppendFlag(report, Pick("\r\nリモート接続中:", "\r\nRemote Session:"),
               Session.getSystemMetrics(SM_REMOTESESSION) != 0);
    AppendFlag(report, Pick("\r\n動作速度が低速:", "\r\nSlow Machine  :"),
               Session.getSystemMetrics(SM_SLOWMACHINE) != 0);
    AppendMouse(report);
    AppendFlag(report, Pick("\r\nネットワーク  :", "\r\nNetwork       :"),
               (Session.getSystemMetrics(SM_NETWORK) & 1) != 0);
    AppendUserAccountControl(report);
}
