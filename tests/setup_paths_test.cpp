// Shift-JIS path handling of the set-up dialog and shortcut creation:
// a backslash byte may be the second half of a kanji.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/ansi_files.h"
#include "common/exe_directory.h"
#include "common/paths.h"
#include "setup/shortcut.h"
#include "tests/support/wait.h"

struct LeadCase {
    const char* text;
    int index;
    bool lead;
};

TEST(ShiftJis, LeadBytesAreJudgedFromTheStart) {
    const LeadCase cases[] = {
        {"C:\\表", 3, true},        // 95 5C: 95 leads
        {"C:\\表", 4, false},       // its 5C is a second byte
        {"表表", 1, false},         // 5C second byte, then ...
        {"表表", 2, true},          // ... the next character leads
        {"\x81\x81\x81", 1, false}, // 81 as a second byte is no lead
        {"\x81\x81\x81", 2, false}, // a lead byte at the end has no partner
        {"ab", 0, false},
        {"ab", -1, false},
        {"ab", 2, false},           // the terminator
        {"ｱ表", 0, false},          // half-width kana are single bytes
        {"ｱ表", 1, true},
        {"\xE0\x40", 0, true},
        {"\xFC\x40", 0, true},
        {"\xA0\x40", 0, false},
    };
    for (const LeadCase& c : cases) EXPECT_EQ(c.lead, IsLeadByteAt(c.text, c.index)) << c.text << " " << c.index;
}

struct FolderCase {
    const char* path;
    const char* folder;  // null: no separator found
};

TEST(ShiftJis, CutToFolderNeverSplitsACharacter) {
    const FolderCase cases[] = {
        {"C:\\Program Files\\swaypix.exe", "C:\\Program Files"},
        {"C:\\ソフト\\swaypix.exe", "C:\\ソフト"},
        {"C:\\表\\swaypix.exe", "C:\\表"},
        {"C:\\swaypix.exe", "C:\\"},      // a drive root stays a root
        {"C:\\表", "C:\\"},                // the 5C of 表 is no separator
        {"C:\\abc\\", "C:\\abc"},
        {"\\\\server\\share\\a.exe", "\\\\server\\share"},
        {"swaypix.exe", nullptr},
        {"表", nullptr},
    };
    for (const FolderCase& c : cases) {
        char path[PathBufferSize];
        strcpy(path, c.path);
        EXPECT_EQ(c.folder != nullptr, CutToFolder(path)) << c.path;
        EXPECT_STREQ(c.folder ? c.folder : c.path, path) << c.path;
    }
}

TEST(ShiftJis, JoinAddsASeparatorOnlyWhereNeeded) {
    char result[PathBufferSize];
    ASSERT_TRUE(JoinFolderAndName(result, "C:\\Desk", "SWAYPIX", ".LNK"));
    EXPECT_STREQ("C:\\Desk\\SWAYPIX.LNK", result);
    ASSERT_TRUE(JoinFolderAndName(result, "C:\\", "SWAYPIX", ".LNK"));
    EXPECT_STREQ("C:\\SWAYPIX.LNK", result);
    ASSERT_TRUE(JoinFolderAndName(result, "C:/", "SWAYPIX", ".LNK"));
    EXPECT_STREQ("C:/SWAYPIX.LNK", result);
    ASSERT_TRUE(JoinFolderAndName(result, "C:\\表", "SWAYPIX(2)", ".LNK"));
    EXPECT_STREQ("C:\\表\\SWAYPIX(2).LNK", result);
}

TEST(ShiftJis, JoinRefusesWhatDoesNotFit) {
    char result[PathBufferSize];
    std::string folder(PathBufferSize - 1 - strlen("\\SWAYPIX.LNK"), 'a');
    EXPECT_TRUE(JoinFolderAndName(result, folder.c_str(), "SWAYPIX", ".LNK"));
    EXPECT_EQ(PathBufferSize - 1, strlen(result));
    folder += "a";
    EXPECT_FALSE(JoinFolderAndName(result, folder.c_str(), "SWAYPIX", ".LNK"));
    EXPECT_STREQ("", result);
}

TEST(ExeDirectory, RestoreMakesTheProgramsFolderCurrent) {
    char exe[PathBufferSize];
    ASSERT_TRUE(GetOwnExePath(exe));
    SetCurrentDirectoryA("C:\\windows");
    ASSERT_TRUE(RestoreExeDirectory());
    char current[PathBufferSize];
    GetCurrentDirectoryA(sizeof current, current);
    CutToFolder(exe);
    EXPECT_STREQ(exe, current);
}

// A scratch folder with a Japanese name in the temporary folder.
class AnsiFiles : public ::testing::Test {
protected:
    std::string folder;
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "ソフト表";
        CreateDirectoryA(folder.c_str(), NULL);
    }
    void TearDown() override {
        DeleteFileA((folder + "\\予定表.txt").c_str());
        RemoveDirectoryA((folder + "\\sub").c_str());
        RemoveDirectoryA(folder.c_str());
    }
};

TEST_F(AnsiFiles, FindsFilesAndFoldersByShiftJisNames) {
    std::string file = folder + "\\予定表.txt";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written;
    WriteFile(h, "12345", 5, &written, NULL);
    CloseHandle(h);
    CreateDirectoryA((folder + "\\sub").c_str(), NULL);

    FindDataAnsi record;
    memset(&record, 0x55, sizeof record);
    HANDLE found = FindFileAnsi(file.c_str(), &record);
    ASSERT_NE(INVALID_HANDLE_VALUE, found);
    FindClose(found);
    EXPECT_STREQ("予定表.txt", record.fileName);
    EXPECT_EQ(5u, record.fileSizeLow);
    EXPECT_EQ(0u, record.fileSizeHigh);
    EXPECT_EQ(0u, record.fileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_LT(strlen(record.alternateFileName), sizeof record.alternateFileName);

    EXPECT_TRUE(FileExists(file.c_str()));
    EXPECT_TRUE(FileExists((folder + "\\sub").c_str()));  // a folder counts
    EXPECT_FALSE(FileExists((folder + "\\none.txt").c_str()));
    EXPECT_FALSE(FileExists(NULL));
    EXPECT_FALSE(FileExists("Q:\\no-such-disk\\a.txt"));  // no system dialog either

    memset(&record, 0x55, sizeof record);
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFileAnsi((folder + "\\none.txt").c_str(), &record));
    EXPECT_EQ(0u, record.fileAttributes);
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFileAnsi(NULL, &record));
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFileAnsi(file.c_str(), NULL));
}

TEST(AnsiText, WidenAnsiConvertsShiftJis) {
    EXPECT_EQ(NULL, WidenAnsi(NULL));
    wchar_t* empty = WidenAnsi("");
    ASSERT_TRUE(empty != NULL);
    EXPECT_STREQ(L"", empty);
    free(empty);
    wchar_t* wide = WidenAnsi("C:\\表\\ｿﾌﾄ");
    ASSERT_TRUE(wide != NULL);
    EXPECT_STREQ(L"C:\\表\\ｿﾌﾄ", wide);
    free(wide);
}

// Without COM on the thread the link object cannot be made: a failure,
// never a crash or a half-written file.
static DWORD WINAPI CreateWithoutCom(LPVOID result) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string link = std::string(temp) + "nocom.lnk";
    *(bool*)result = CreateShortcut("C:\\windows\\notepad.exe", "1000", link.c_str());
    *((bool*)result + 1) = GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES;
    return 0;
}

TEST(Shortcut, FailsWithoutComOrTarget) {
    bool result[2] = {true, true};
    HANDLE thread = CreateThread(NULL, 0, CreateWithoutCom, result, 0, NULL);
    WaitForSingleObject(thread, EventBoundMs);
    CloseHandle(thread);
    EXPECT_FALSE(result[0]);
    EXPECT_FALSE(result[1]);

    CoInitialize(NULL);
    EXPECT_FALSE(CreateShortcut(NULL, "1000", "C:\\x.lnk"));
    EXPECT_FALSE(CreateShortcut("", "1000", "C:\\x.lnk"));
    EXPECT_FALSE(CreateShortcut("C:\\windows\\notepad.exe", "1000", "C:\\no-such-folder\\x.lnk"));
    CoUninitialize();
}
