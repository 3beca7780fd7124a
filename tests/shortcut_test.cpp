// Shortcuts written by the real set-up dialog through the shell's link
// object, read back with lnkinfo, an independent parser of .LNK files.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "res/resource.h"
#include "tests/support/linux_tools.h"
#include "tests/support/program_driver.h"
#include "tests/support/test_files.h"
#include "tests/support/wait.h"

static const wchar_t CreatedPrefix[] = L"SWAYPIXショートカットを作成しました。\r\n\r\n - ";
static const wchar_t CreatedSuffix[] =
    L"\r\n\r\nこのショートカットを起動すると、無言でSWAY_PIXが常駐します。\r\n"
    L"常駐を解除するには、もう一度ショートカットを起動してください。";
static const wchar_t FailedPrefix[] = L"ショートカットの作成に失敗しました。\n\n - ";

static const char UserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class Shortcuts : public ::testing::Test {
protected:
    PROCESS_INFORMATION program = {};
    HWND dialog = NULL;
    std::string desktop = ShellFolderPath(CSIDL_DESKTOPDIRECTORY);
    std::string startup = ShellFolderPath(CSIDL_STARTUP);

    void SetUp() override {
        DeleteMatchingFiles(desktop, "SWAYPIX*.LNK");
        DeleteMatchingFiles(startup, "SWAYPIX*.LNK");
        OpenDialog();
    }
    void TearDown() override {
        CloseDialog();
        DeleteMatchingFiles(desktop, "SWAYPIX*.LNK");
        DeleteMatchingFiles(startup, "SWAYPIX*.LNK");
    }
    void OpenDialog() {
        program = StartSwaypix("");
        dialog = WaitForDialogOf(program.dwProcessId, EventBoundMs);
        ASSERT_TRUE(dialog != NULL);
    }
    void CloseDialog() {
        if (dialog) PressDialogButton(dialog, IDCANCEL);
        if (WaitForExit(program, EventBoundMs) == STILL_ACTIVE) TerminateProcess(program.hProcess, 1);
        CloseProcess(program);
        dialog = NULL;
    }
    // Presses the create button and returns the outcome message's text.
    std::wstring CreateFromDialog() {
        PressDialogButton(dialog, IDOK);
        HWND box = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
        if (!box) return L"<no message>";
        std::wstring text = MessageBoxTextW(box);
        EXPECT_EQ(L"SWAY_PIX", WindowTextW(box));
        AnswerMessageBox(box, IDOK);
        return text;
    }
    void ExpectCreated(const std::wstring& message, const std::string& path) {
        EXPECT_EQ(CreatedPrefix + WideOf(path) + CreatedSuffix, message);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << path;
    }
};

TEST_F(Shortcuts, TakeTheFirstFreeName) {
    ExpectCreated(CreateFromDialog(), desktop + "\\SWAYPIX.LNK");
    ExpectCreated(CreateFromDialog(), desktop + "\\SWAYPIX(2).LNK");
    ExpectCreated(CreateFromDialog(), desktop + "\\SWAYPIX(3).LNK");
    ASSERT_TRUE(DeleteFileWhenFree(desktop + "\\SWAYPIX(2).LNK"));
    ExpectCreated(CreateFromDialog(), desktop + "\\SWAYPIX(2).LNK");  // the gap is used
    ExpectCreated(CreateFromDialog(), desktop + "\\SWAYPIX(4).LNK");
}

TEST_F(Shortcuts, AFolderOfTheNameCountsAsTaken) {
    std::string folder = desktop + "\\SWAYPIX.LNK";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    std::wstring message = CreateFromDialog();
    RemoveDirectoryA(folder.c_str());
    ExpectCreated(message, desktop + "\\SWAYPIX(2).LNK");
}

TEST_F(Shortcuts, AllNamesTakenGivesTheClashMessage) {
    std::string taken = desktop + "\\SWAYPIX.LNK";
    CloseHandle(CreateFileA(taken.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL));
    // Made by the shell: Wine takes minutes for 65534 file creations.
    RunLinuxCommand("cd " + ShellQuote(UnixPathOf(desktop)) +
                    " && i=2; while [ $i -le 65535 ]; do : >\"SWAYPIX($i).LNK\"; i=$((i+1)); done");
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((desktop + "\\SWAYPIX(65535).LNK").c_str()));
    PressDialogButton(dialog, IDOK);
    HWND box = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
    ASSERT_TRUE(ExpectMessageBox(box, L"SWAY_PIX",
                                 L"作成しようとしているショートカットのファイル名と同名のファイルが存在しており、"
                                 L"ショートカットを作成できません。\r\n\r\n - SWAYPIX.LNK",
                                 IDI_EXCLAMATION));
    AnswerMessageBox(box, IDOK);
    // Nothing was written: every file is still empty.
    HANDLE f = CreateFileA(taken.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_EQ(0u, GetFileSize(f, NULL));
    CloseHandle(f);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((desktop + "\\SWAYPIX(65536).LNK").c_str()));
}

// What lnkinfo says of a link file, and the two header fields it does not
// decode (show command at 0x3C, hot key at 0x40).
struct LinkFacts {
    std::string lnkinfo;
    DWORD linkFlags;
    DWORD showCommand;
    WORD hotKey;
};

static LinkFacts ReadLink(const std::string& path) {
    LinkFacts facts = {};
    facts.lnkinfo = RunLinuxCommand("lnkinfo " + ShellQuote(UnixPathOf(path)));
    std::string bytes = ReadTextFile(path);
    if (bytes.size() >= 0x4C) {
        memcpy(&facts.linkFlags, &bytes[0x14], 4);
        memcpy(&facts.showCommand, &bytes[0x3C], 4);
        memcpy(&facts.hotKey, &bytes[0x40], 2);
    }
    return facts;
}

// The value lnkinfo prints after "label:", or "<absent>".
static std::string LnkValue(const std::string& lnkinfo, const std::string& label) {
    size_t at = lnkinfo.find("\t" + label);
    if (at == std::string::npos) return "<absent>";
    size_t colon = lnkinfo.find(':', at);
    size_t start = lnkinfo.find_first_not_of(" \t", colon + 1);
    size_t end = lnkinfo.find('\n', colon);
    return start < end ? lnkinfo.substr(start, end - start) : "";
}

// An empty string stored in the link, or none at all: both mean empty.
static bool IsEmptyOrAbsent(const std::string& value) {
    return value.empty() || value == "<absent>";
}

struct ArgumentCase {
    const wchar_t* field;
    bool shiftMode;
    const wchar_t* untilHour;  // null: the box unchecked
    const wchar_t* untilMinute;
    const wchar_t* forMinutes;  // null: the box unchecked
    bool mainsOnly;
    const char* arguments;
};

TEST_F(Shortcuts, CarryTheSettingsOnTheirCommandLine) {
    const ArgumentCase cases[] = {
        {L"50", false, NULL, NULL, NULL, false, "50000"},
        {L"50", true, NULL, NULL, NULL, false, "50000 0"},
        {L"2147483", false, NULL, NULL, NULL, false, "2147483000"},
        {L"2147483", true, NULL, NULL, NULL, false, "2147483000 0"},
        {L"1", false, NULL, NULL, NULL, false, "1000"},
        {L"0000000050", false, NULL, NULL, NULL, false, "5000"},  // only the first nine characters count
        {L"60", false, L"18", L"00", NULL, true, "60000 /UNTIL:18:00 /AC"},
        {L"60", false, L"9", L"5", L"90", false, "60000 /UNTIL:9:05 /FOR:90"},
        {L"2147483", true, L"23", L"59", L"10080", true, "2147483000 0 /UNTIL:23:59 /FOR:10080 /AC"},
        {L"50", true, NULL, NULL, L"1", false, "50000 0 /FOR:1"},
    };
    std::string exe = BuiltProgramPath("swaypix.exe");
    for (const ArgumentCase& c : cases) {
        SetControlTextW(dialog, IDC_INTERVAL, c.field);
        ASSERT_TRUE(SetButtonChecked(dialog, IDC_SHIFTMODE, c.shiftMode));
        ASSERT_TRUE(SetButtonChecked(dialog, IDC_UNTIL, c.untilHour != NULL));
        if (c.untilHour) SetControlTextW(dialog, IDC_UNTIL_HOUR, c.untilHour);
        if (c.untilMinute) SetControlTextW(dialog, IDC_UNTIL_MINUTE, c.untilMinute);
        ASSERT_TRUE(SetButtonChecked(dialog, IDC_FOR, c.forMinutes != NULL));
        if (c.forMinutes) SetControlTextW(dialog, IDC_FOR_MINUTES, c.forMinutes);
        ASSERT_TRUE(SetButtonChecked(dialog, IDC_MAINS_ONLY, c.mainsOnly));
        std::string path = desktop + "\\SWAYPIX.LNK";
        ExpectCreated(CreateFromDialog(), path);
        LinkFacts link = ReadLink(path);
        EXPECT_EQ(c.arguments, LnkValue(link.lnkinfo, "Command line arguments")) << link.lnkinfo;
        EXPECT_EQ(exe, LnkValue(link.lnkinfo, "Local path")) << link.lnkinfo;
        EXPECT_TRUE(IsEmptyOrAbsent(LnkValue(link.lnkinfo, "Working directory"))) << link.lnkinfo;
        EXPECT_TRUE(IsEmptyOrAbsent(LnkValue(link.lnkinfo, "Description"))) << link.lnkinfo;
        EXPECT_EQ("<absent>", LnkValue(link.lnkinfo, "Icon location")) << link.lnkinfo;
        EXPECT_EQ(0u, link.linkFlags & 0x40) << "HasIconLocation";
        EXPECT_EQ((DWORD)SW_SHOW, link.showCommand);
        EXPECT_EQ(0, link.hotKey);
        ASSERT_TRUE(DeleteFileWhenFree(path));
    }
    // Every box checked: the longest arguments written, then the same
    // without input, where the Shift box is off and no distance is written.
    const struct { int box, field; const wchar_t* text; } everyBound[] = {
        {IDC_SHIFTMODE, 0, NULL},
        {IDC_UNTIL, IDC_UNTIL_HOUR, L"23"}, {IDC_UNTIL, IDC_UNTIL_MINUTE, L"59"},
        {IDC_FOR, IDC_FOR_MINUTES, L"10080"}, {IDC_MAINS_ONLY, 0, NULL},
        {IDC_HOURS, IDC_HOURS_FROM_HOUR, L"23"}, {IDC_HOURS, IDC_HOURS_FROM_MINUTE, L"59"},
        {IDC_HOURS, IDC_HOURS_TO_HOUR, L"0"}, {IDC_HOURS, IDC_HOURS_TO_MINUTE, L"00"},
        {IDC_WEEKDAYS, 0, NULL},
    };
    SetControlTextW(dialog, IDC_INTERVAL, L"2147483");
    for (const auto& bound : everyBound) {
        ASSERT_TRUE(SetButtonChecked(dialog, bound.box, true));
        if (bound.field) SetControlTextW(dialog, bound.field, bound.text);
    }
    const char* longest[] = {"2147483000 0 /UNTIL:23:59 /FOR:10080 /HOURS:23:59-0:00 /DAYS:MON-FRI /AC",
                             "2147483000 /UNTIL:23:59 /FOR:10080 /HOURS:23:59-0:00 /DAYS:MON-FRI /AC /SYSTEM"};
    for (const char* arguments : longest) {
        std::string path = desktop + "\\SWAYPIX.LNK";
        ExpectCreated(CreateFromDialog(), path);
        EXPECT_EQ(arguments, LnkValue(ReadLink(path).lnkinfo, "Command line arguments"));
        ASSERT_TRUE(DeleteFileWhenFree(path));
        ASSERT_TRUE(SetButtonChecked(dialog, IDC_SYSTEM_ONLY, true));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SHIFTMODE)));
    }
}

TEST_F(Shortcuts, GoIntoTheStartupFolder) {
    PressDialogButton(dialog, IDC_STARTUP);
    WaitUntil(EventBoundMs, [&] { return IsButtonChecked(dialog, IDC_STARTUP); });
    EXPECT_FALSE(IsButtonChecked(dialog, IDC_DESKTOP));
    ExpectCreated(CreateFromDialog(), startup + "\\SWAYPIX.LNK");
    ExpectCreated(CreateFromDialog(), startup + "\\SWAYPIX(2).LNK");
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((desktop + "\\SWAYPIX.LNK").c_str()));
    LinkFacts link = ReadLink(startup + "\\SWAYPIX.LNK");
    EXPECT_EQ("50000", LnkValue(link.lnkinfo, "Command line arguments")) << link.lnkinfo;
}

// A file where the Startup folder should be: the shortcut cannot be saved.
TEST_F(Shortcuts, AFailedSaveNamesThePath) {
    std::string saved = startup + ".saved";
    ASSERT_TRUE(MoveFileA(startup.c_str(), saved.c_str()));
    CloseHandle(CreateFileA(startup.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL));
    PressDialogButton(dialog, IDC_STARTUP);
    WaitUntil(EventBoundMs, [&] { return IsButtonChecked(dialog, IDC_STARTUP); });
    PressDialogButton(dialog, IDOK);
    HWND box = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
    std::wstring message = box ? MessageBoxTextW(box) : L"<no message>";
    bool errorIcon = box && MessageBoxShowsIcon(box, IDI_ERROR);
    if (box) AnswerMessageBox(box, IDOK);
    DeleteFileA(startup.c_str());
    MoveFileA(saved.c_str(), startup.c_str());
    EXPECT_EQ(FailedPrefix + WideOf(startup + "\\SWAYPIX.LNK"), message);
    EXPECT_TRUE(errorIcon);
    EXPECT_TRUE(IsWindow(dialog));
}

// The desktop is asked for once per run: moving it (here to a folder whose
// name ends in a 0x5C byte) changes only the next run.
TEST_F(Shortcuts, OneRunKeepsTheFirstDesktopPath) {
    std::string moved = ShellFolderPath(CSIDL_PROFILE) + "\\表";
    CreateDirectoryA(moved.c_str(), NULL);
    DeleteMatchingFiles(moved, "SWAYPIX*.LNK");
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, UserShellFolders, 0, KEY_ALL_ACCESS, &key));
    char old[MAX_PATH] = "";
    DWORD size = sizeof old, type = REG_EXPAND_SZ;
    RegQueryValueExA(key, "Desktop", NULL, &type, (BYTE*)old, &size);

    ExpectCreated(CreateFromDialog(), desktop + "\\SWAYPIX.LNK");
    RegSetValueExA(key, "Desktop", 0, REG_EXPAND_SZ, (const BYTE*)moved.c_str(), (DWORD)moved.size() + 1);
    ExpectCreated(CreateFromDialog(), desktop + "\\SWAYPIX(2).LNK");
    CloseDialog();
    OpenDialog();
    std::wstring nextRun = CreateFromDialog();

    RegSetValueExA(key, "Desktop", 0, type, (const BYTE*)old, size);
    RegCloseKey(key);
    ExpectCreated(nextRun, moved + "\\SWAYPIX.LNK");
    DeleteMatchingFiles(moved, "SWAYPIX*.LNK");
    RemoveDirectoryA(moved.c_str());
}
