// The screen saver, inactivity lock and shortcut lines with the prefix's
// real settings: the test writes them into the registry and the folders
// the report reads, and puts everything back afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "envreport/os/power_section.h"
#include "envreport/report_failure.h"
#include "envreport/report_memory.h"
#include "setup/shortcut.h"
#include "tests/support/program_driver.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/report_section.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/test_files.h"

static const char UserDesktop[] = "Control Panel\\Desktop";
static const char PolicyDesktop[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
static const char SystemPolicies[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Writes a value, or deletes it for null data, in the 64-bit view as
// management tools write policies.
static void PutValue(HKEY root, const char* keyPath, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(root, keyPath, 0, NULL, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    if (data) RegSetValueExA(key, name, 0, type, (const BYTE*)data, size);
    else RegDeleteValueA(key, name);
    RegCloseKey(key);
}

static void PutString(HKEY root, const char* keyPath, const char* name, const char* value) {
    PutValue(root, keyPath, name, REG_SZ, value, value ? (DWORD)strlen(value) + 1 : 0);
}

// One registry value of the prefix, put back as it was.
struct SavedValue {
    HKEY root;
    const char* keyPath;
    const char* name;
    bool existed;
    DWORD type;
    std::vector<BYTE> data;
};

static SavedValue SaveValue(HKEY root, const char* keyPath, const char* name) {
    SavedValue saved = {root, keyPath, name, false, 0, std::vector<BYTE>(1024)};
    DWORD size = (DWORD)saved.data.size();
    saved.existed = RegGetValueA(root, keyPath, name, RRF_RT_ANY | RRF_NOEXPAND | RRF_SUBKEY_WOW6464KEY, &saved.type,
                                 saved.data.data(), &size) == ERROR_SUCCESS;
    saved.data.resize(size);
    return saved;
}

static void RestoreValue(const SavedValue& saved) {
    PutValue(saved.root, saved.keyPath, saved.name, saved.type, saved.existed ? saved.data.data() : NULL,
             (DWORD)saved.data.size());
}

class IdleSettings : public ::testing::Test {
protected:
    std::vector<SavedValue> saved;
    bool policyExisted = false;
    BOOL userActive = FALSE;
    UINT userTimeout = 0;
    BOOL userSecure = FALSE;

    void SetUp() override {
        HKEY policy;
        policyExisted = RegOpenKeyExA(HKEY_CURRENT_USER, PolicyDesktop, 0, KEY_QUERY_VALUE, &policy) == ERROR_SUCCESS;
        if (policyExisted) RegCloseKey(policy);
        for (const char* name : {"ScreenSaverIsSecure", "SCRNSAVE.EXE", "ScreenSaveActive", "ScreenSaveTimeOut"}) {
            saved.push_back(SaveValue(HKEY_CURRENT_USER, UserDesktop, name));
            saved.push_back(SaveValue(HKEY_CURRENT_USER, PolicyDesktop, name));
        }
        saved.push_back(SaveValue(HKEY_LOCAL_MACHINE, SystemPolicies, "InactivityTimeoutSecs"));
        SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &userActive, 0);
        SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &userTimeout, 0);
        SystemParametersInfoA(SPI_GETSCREENSAVESECURE, 0, &userSecure, 0);
    }
    void TearDown() override {
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, userActive, NULL, SPIF_UPDATEINIFILE);
        SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, userTimeout, NULL, SPIF_UPDATEINIFILE);
        SystemParametersInfoA(SPI_SETSCREENSAVESECURE, userSecure, NULL, SPIF_UPDATEINIFILE);
        for (const SavedValue& value : saved) RestoreValue(value);
        if (!policyExisted) RegDeleteTreeA(HKEY_CURRENT_USER, PolicyDesktop);
    }
};

struct SaverCase {
    BOOL active;
    UINT timeout;
    const char* secure;
    const char* program;
    const char* policy[4];  // active, timeout, secure, program; null: not set
    bool numbers;           // the numbers as REG_DWORD, not as text
    const char* english;
    const char* japanese;
};

TEST_F(IdleSettings, ScreenSaverFromTheUsersValuesOrThePolicyThatOverridesThem) {
    const char* saver = "C:\\windows\\system32\\scrnsave.scr";
    const SaverCase cases[] = {
        {TRUE, 600, "0", saver, {}, false, "scrnsave.scr, 10 min", "scrnsave.scr, 10分"},
        {TRUE, 90, "1", saver, {}, false, "scrnsave.scr, 90 s, password", "scrnsave.scr, 90秒, パスワード保護"},
        {TRUE, 90, "1", saver, {NULL, "300", "0", "D:\\Savers\\policy.scr"}, false, "policy.scr, 5 min (policy)",
         "policy.scr, 5分 (ポリシー)"},
        {FALSE, 600, "0", saver, {"1", NULL, "1", NULL}, false, "scrnsave.scr, 10 min, password (policy)",
         "scrnsave.scr, 10分, パスワード保護 (ポリシー)"},
        {FALSE, 600, "0", saver, {"1", "120", "1", NULL}, true, "scrnsave.scr, 2 min, password (policy)",
         "scrnsave.scr, 2分, パスワード保護 (ポリシー)"},
        {TRUE, 600, "1", saver, {"0"}, true, "none (policy)", "なし (ポリシー)"},
        {TRUE, 600, "1", saver, {"0"}, false, "none (policy)", "なし (ポリシー)"},
        {TRUE, 600, "1", NULL, {}, false, "none", "なし"},
        {FALSE, 600, "1", saver, {}, false, "none", "なし"},
    };
    const char* policyNames[4] = {"ScreenSaveActive", "ScreenSaveTimeOut", "ScreenSaverIsSecure", "SCRNSAVE.EXE"};
    SectionText(WritePowerSection);  // shell32, kept once loaded, opens keys of its own on first use
    for (const SaverCase& c : cases) {
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, c.active, NULL, SPIF_UPDATEINIFILE);
        SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, c.timeout, NULL, SPIF_UPDATEINIFILE);
        // Where Windows keeps the secure flag itself, the report asks it.
        SystemParametersInfoA(SPI_SETSCREENSAVESECURE, c.secure[0] == '1', NULL, SPIF_UPDATEINIFILE);
        PutString(HKEY_CURRENT_USER, UserDesktop, "ScreenSaverIsSecure", c.secure);
        PutString(HKEY_CURRENT_USER, UserDesktop, "SCRNSAVE.EXE", c.program);
        for (int i = 0; i < 4; ++i) PutString(HKEY_CURRENT_USER, PolicyDesktop, policyNames[i], c.policy[i]);
        for (int i = 0; i < 3 && c.numbers; ++i) {
            DWORD number = c.policy[i] ? (DWORD)atoi(c.policy[i]) : 0;
            PutValue(HKEY_CURRENT_USER, PolicyDesktop, policyNames[i], REG_DWORD, c.policy[i] ? &number : NULL,
                     sizeof number);
        }
        std::vector<HANDLE> free = NextFreeHandles(4);
        EXPECT_EQ(c.english, LineAfter(SectionText(WritePowerSection), "Screen Saver  :")) << c.english;
        EXPECT_EQ(free, NextFreeHandles(4)) << "no key left open";
        EXPECT_EQ(c.japanese, LineAfter(SectionText(WritePowerSection, true), "ｽｸﾘｰﾝｾｰﾊﾞｰ    :")) << c.english;
    }
}

TEST_F(IdleSettings, InactivityLockOnlyWhereThePolicySetsOne) {
    const struct {
        const char* seconds;  // null: absent
        const char* english;
        const char* japanese;
    } cases[] = {
        {"900", "15 min (policy)", "15分 (ポリシー)"},
        {"45", "45 s (policy)", "45秒 (ポリシー)"},
        {"0", "<no Lock After    :>", "<no 自動ロック    :>"},
        {NULL, "<no Lock After    :>", "<no 自動ロック    :>"},
    };
    for (const auto& c : cases) {
        DWORD seconds = c.seconds ? (DWORD)atoi(c.seconds) : 0;
        PutValue(HKEY_LOCAL_MACHINE, SystemPolicies, "InactivityTimeoutSecs", REG_DWORD, c.seconds ? &seconds : NULL,
                 sizeof seconds);
        EXPECT_EQ(c.english, LineAfter(SectionText(WritePowerSection), "Lock After    :"));
        EXPECT_EQ(c.japanese, LineAfter(SectionText(WritePowerSection, true), "自動ロック    :"));
    }
}

// The shortcut lines close the block: everything from the first of them.
static std::string ShortcutLines(bool japanese) {
    std::string text = SectionText(WritePowerSection, japanese);
    size_t first = text.find(japanese ? "\r\nショートカット:" : "\r\nShortcut      :");
    return first == std::string::npos ? "<none>" : text.substr(first);
}

static int AllocationCalls;
static int FailFromCall;

static void* FailingFromNthCall(void* block, size_t size) {
    return ++AllocationCalls >= FailFromCall ? NULL : realloc(block, size);
}

static const char UserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class ProgramShortcuts : public ::testing::Test {
protected:
    std::string desktop = ShellFolderPath(CSIDL_DESKTOPDIRECTORY);
    std::string startup = ShellFolderPath(CSIDL_STARTUP);
    std::string allUsers = ShellFolderPath(CSIDL_COMMON_STARTUP);
    SavedValue startupFolder = SaveValue(HKEY_CURRENT_USER, UserShellFolders, "Startup");

    void DeleteLinks() {
        for (const std::string& folder : {desktop, startup, allUsers}) DeleteMatchingFiles(folder, "SWAYPIX*.LNK");
    }
    void SetUp() override { DeleteLinks(); }
    void TearDown() override {
        RestoreValue(startupFolder);
        DeleteLinks();
    }
};

// Links written by the set-up dialog's own shortcut code, and a file that
// is not a link at all.
TEST_F(ProgramShortcuts, ListedByFolderAndNameWithTheSettingsTheyStart) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    std::string program = BuiltProgramPath("swaypix.exe");
    std::string gone = desktop + "\\gone.exe";
    ASSERT_TRUE(CopyFileA(program.c_str(), gone.c_str(), FALSE));
    const struct {
        const std::string& folder;
        const char* name;
        const wchar_t* arguments;
    } links[] = {{desktop, "SWAYPIX.LNK", L"50000"},     {desktop, "SWAYPIX(2).LNK", L"60000 0"},
                 {desktop, "SWAYPIX(4).LNK", L"500"},     {desktop, "SWAYPIX(5).LNK", L"-1000"},
                 {desktop, "SWAYPIX(6).LNK", L"1250 0"},  {desktop, "SWAYPIX(7).LNK", L"/X"},
                 {startup, "SWAYPIX.LNK", L"60000 /UNTIL:18:00 /AC"},  {allUsers, "SWAYPIX.LNK", L"1001"},
                 {startup, "SWAYPIX(2).LNK", L"1500 0 /FOR:90 \"/WHILE:my render.exe\""},
                 {startup, "SWAYPIX(3).LNK", L"60000 /FOR:0"},   {startup, "SWAYPIX(4).LNK", L"0 /AC"},
                 {startup, "SWAYPIX(5).LNK", L"/x 500"},          {startup, "SWAYPIX(6).LNK", L"500 /WHILE:caf\xE9.exe"},
                 {startup, "SWAYPIX(7).LNK", L"60000\x3000/UNTIL:18:00"},  {startup, "SWAYPIX(8).LNK", L"60000 \xFF0F" L"AC"},
                 {startup, "SWAYPIX(9).LNK", L"60000 /HOURS:9:00-18:00 /DAYS:MON-FRI"},
                 {desktop, "SWAYPIX(9).LNK", L"60000 5 /SYSTEM /FOR:5 /DAYS:sat,sun"}};
    for (const auto& link : links)
        ASSERT_TRUE(CreateShortcut(WideOf(program).c_str(), link.arguments, WideOf(link.folder + "\\" + link.name).c_str()));
    ASSERT_TRUE(CreateShortcut(WideOf(gone).c_str(), L"60000 0", WideOf(desktop + "\\swaypix(3).lnk").c_str()));
    ASSERT_TRUE(DeleteFileWhenFree(gone));
    FILE* corrupt = fopen((desktop + "\\SWAYPIX(8).LNK").c_str(), "wb");
    ASSERT_TRUE(corrupt);
    fputs("not a shell link", corrupt);
    fclose(corrupt);

    EXPECT_EQ("\r\nShortcut      :Desktop\\SWAYPIX(2).LNK 60000 0 (Shift key every 60 s)"
              "\r\nShortcut      :Desktop\\swaypix(3).lnk 60000 0 (Shift key every 60 s) [target missing]"
              "\r\nShortcut      :Desktop\\SWAYPIX(4).LNK 500 (pointer every 0.5 s)"
              "\r\nShortcut      :Desktop\\SWAYPIX(5).LNK -1000 (set-up dialog)"
              "\r\nShortcut      :Desktop\\SWAYPIX(6).LNK 1250 0 (Shift key every 1.25 s)"
              "\r\nShortcut      :Desktop\\SWAYPIX(7).LNK /X"
              "\r\nShortcut      :Desktop\\SWAYPIX(8).LNK [unreadable]"
              "\r\nShortcut      :Desktop\\SWAYPIX(9).LNK 60000 5 /SYSTEM /FOR:5 /DAYS:sat,sun"
              " (PC kept awake, display may turn off, checked every 60 s, for 5 min, Sat/Sun)"
              "\r\nShortcut      :Desktop\\SWAYPIX.LNK 50000 (pointer every 50 s)"
              "\r\nShortcut      :Startup\\SWAYPIX(2).LNK 1500 0 /FOR:90 \"/WHILE:my render.exe\""
              " (Shift key every 1.5 s, for 90 min, while my render.exe runs)"
              "\r\nShortcut      :Startup\\SWAYPIX(3).LNK 60000 /FOR:0 (refused: /FOR:0)"
              "\r\nShortcut      :Startup\\SWAYPIX(4).LNK 0 /AC (refused: no interval)"
              "\r\nShortcut      :Startup\\SWAYPIX(5).LNK /x 500 (refused: /x)"
              "\r\nShortcut      :Startup\\SWAYPIX(6).LNK 500 /WHILE:caf\xE9.exe (pointer every 0.5 s, while caf\xE9.exe runs)"
              // Code page 1252 has no full-width blank or slash: neither is shown as its look-alike.
              "\r\nShortcut      :Startup\\SWAYPIX(7).LNK 60000?/UNTIL:18:00 (pointer every 60 s, until 18:00)"
              "\r\nShortcut      :Startup\\SWAYPIX(8).LNK 60000 ?AC (refused: ?AC)"
              "\r\nShortcut      :Startup\\SWAYPIX(9).LNK 60000 /HOURS:9:00-18:00 /DAYS:MON-FRI"
              " (pointer every 60 s, 9:00-18:00, Mon-Fri)"
              "\r\nShortcut      :Startup\\SWAYPIX.LNK 60000 /UNTIL:18:00 /AC"
              " (pointer every 60 s, until 18:00, on mains power only)"
              "\r\nShortcut      :Startup (all users)\\SWAYPIX.LNK 1001 (pointer every 1.001 s)",
              ShortcutLines(false));
    EXPECT_EQ("\r\nショートカット:デスクトップ\\SWAYPIX(2).LNK 60000 0 (Shiftキー 60秒毎)"
              "\r\nショートカット:デスクトップ\\swaypix(3).lnk 60000 0 (Shiftキー 60秒毎) [リンク先なし]"
              "\r\nショートカット:デスクトップ\\SWAYPIX(4).LNK 500 (マウス 0.5秒毎)"
              "\r\nショートカット:デスクトップ\\SWAYPIX(5).LNK -1000 (設定ダイアログ)"
              "\r\nショートカット:デスクトップ\\SWAYPIX(6).LNK 1250 0 (Shiftキー 1.25秒毎)"
              "\r\nショートカット:デスクトップ\\SWAYPIX(7).LNK /X"
              "\r\nショートカット:デスクトップ\\SWAYPIX(8).LNK [読み取れません]"
              "\r\nショートカット:デスクトップ\\SWAYPIX(9).LNK 60000 5 /SYSTEM /FOR:5 /DAYS:sat,sun"
              " (スリープ防止・画面は消灯可、60秒毎に確認、5分間、土・日)"
              "\r\nショートカット:デスクトップ\\SWAYPIX.LNK 50000 (マウス 50秒毎)"
              "\r\nショートカット:スタートアップ\\SWAYPIX(2).LNK 1500 0 /FOR:90 \"/WHILE:my render.exe\""
              " (Shiftキー 1.5秒毎、90分間、my render.exeの実行中)"
              "\r\nショートカット:スタートアップ\\SWAYPIX(3).LNK 60000 /FOR:0 (拒否: /FOR:0)"
              "\r\nショートカット:スタートアップ\\SWAYPIX(4).LNK 0 /AC (拒否: 間隔なし)"
              "\r\nショートカット:スタートアップ\\SWAYPIX(5).LNK /x 500 (拒否: /x)"
              "\r\nショートカット:スタートアップ\\SWAYPIX(6).LNK 500 /WHILE:caf\xE9.exe (マウス 0.5秒毎、caf\xE9.exeの実行中)"
              "\r\nショートカット:スタートアップ\\SWAYPIX(7).LNK 60000?/UNTIL:18:00 (マウス 60秒毎、18:00まで)"
              "\r\nショートカット:スタートアップ\\SWAYPIX(8).LNK 60000 ?AC (拒否: ?AC)"
              "\r\nショートカット:スタートアップ\\SWAYPIX(9).LNK 60000 /HOURS:9:00-18:00 /DAYS:MON-FRI"
              " (マウス 60秒毎、9:00～18:00、月～金)"
              "\r\nショートカット:スタートアップ\\SWAYPIX.LNK 60000 /UNTIL:18:00 /AC"
              " (マウス 60秒毎、18:00まで、AC電源時のみ)"
              "\r\nショートカット:スタートアップ(全員)\\SWAYPIX.LNK 1001 (マウス 1.001秒毎)",
              ShortcutLines(true));

    // Each allocation in turn fails, from the report's first block to the
    // shortcut names and their order: what was written stays, nothing
    // follows, nothing stays open.
    std::string whole = SectionText(WritePowerSection);
    bool failedInShortcuts = false;
    for (FailFromCall = 1;; ++FailFromCall) {
        AllocationCalls = 0;
        std::vector<HANDLE> free = NextFreeHandles(4);
        std::string text;
        {
            ScopedSwap<ReportMemoryAccess> failing(ReportMemory, {FailingFromNthCall});
            text = SectionText(WritePowerSection);
        }
        if (AllocationCalls < FailFromCall) break;  // none failed
        EXPECT_EQ(ReportOutOfMemory, ReportFailed) << FailFromCall;
        ReportFailed = ReportNotFailed;
        EXPECT_EQ(0u, whole.find(text)) << FailFromCall << text;
        EXPECT_EQ(free, NextFreeHandles(4)) << "no search, key or file left open " << FailFromCall;
        failedInShortcuts |= text.find("\r\nScreen Saver  :") != std::string::npos && text.find("Shortcut") == std::string::npos;
    }
    EXPECT_TRUE(failedInShortcuts);

    // A Startup folder on a drive that is not there has no path.
    PutValue(HKEY_CURRENT_USER, UserShellFolders, "Startup", REG_EXPAND_SZ, "Q:\\nowhere\\Startup", 20);
    EXPECT_NE(std::string::npos, ShortcutLines(false).find("\r\nShortcut      :Startup [folder unreadable]"
                                                           "\r\nShortcut      :Startup (all users)\\"));
    EXPECT_NE(std::string::npos, ShortcutLines(true).find("\r\nショートカット:スタートアップ [フォルダを読み取れません]"
                                                          "\r\nショートカット:スタートアップ(全員)\\"));
    // One that points at a file is there yet cannot be listed: not "none".
    std::string file = desktop + "\\startup-is-a-file.txt";
    ASSERT_TRUE(WriteTextFile(file, "x"));
    PutValue(HKEY_CURRENT_USER, UserShellFolders, "Startup", REG_SZ, file.c_str(), (DWORD)file.size() + 1);
    EXPECT_NE(std::string::npos, ShortcutLines(false).find("\r\nShortcut      :Desktop\\SWAYPIX.LNK 50000 (pointer every 50 s)"
                                                           "\r\nShortcut      :Startup [folder unreadable]\r\n"));
    DeleteFileA(file.c_str());

    CoUninitialize();  // without COM the names stand alone
    EXPECT_EQ(0u, ShortcutLines(false).find("\r\nShortcut      :Desktop\\SWAYPIX(2).LNK\r\nShortcut      :Desktop\\swaypix(3).lnk"
                                            "\r\nShortcut      :Desktop\\SWAYPIX(4).LNK"));
    EXPECT_NE(std::string::npos, ShortcutLines(false).find("\r\nShortcut      :Desktop\\SWAYPIX(8).LNK\r\n"));

    DeleteLinks();  // "none" for the folders read, beside the one that was not
    EXPECT_EQ("\r\nShortcut      :Startup [folder unreadable]\r\nShortcut      :none", ShortcutLines(false));
    RestoreValue(startupFolder);
    EXPECT_EQ("\r\nShortcut      :none", ShortcutLines(false));
    EXPECT_EQ("\r\nショートカット:なし", ShortcutLines(true));
}
