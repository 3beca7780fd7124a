// Path handling of the set-up dialog and shortcut creation: paths in
// UTF-16, whatever the folder is called; names from ANSI calls, where a
// backslash byte may be the second half of a kanji.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/ansi_text.h"
#include "common/exe_directory.h"
#include "common/paths.h"
#include "setup/shortcut.h"
#include "tests/support/wait.h"

struct FileNameCase {
    UINT codePage;
    const char* path;
    const char* name;
};

TEST(AnsiText, FileNameOfJudgesBackslashesInWholeCharactersOfTheCodePage) {
    const FileNameCase cases[] = {
        {932, "C:\\表", "表"},                 // 95 5C: the 5C is a second byte
        {932, "C:\\表\\a.scr", "a.scr"},
        {932, "\x81\x81\\x", "x"},             // 81 81 is one character, so 5C stands alone
        {932, "a\\\xFC\\", "\xFC\\"},          // FC leads
        {932, "ｱ\\x", "x"},                   // half-width kana are single bytes
        {932, "\xA0\\x", "x"},                // A0 is no lead
        {932, "a\\b\x95", "b\x95"},             // a lead byte at the end has no partner
        {932, "a.scr", "a.scr"},
        {1252, "C:\\表", ""},                  // no double-byte characters: 5C is a backslash
    };
    for (const FileNameCase& c : cases) EXPECT_STREQ(c.name, FileNameOf(c.codePage, c.path)) << c.path;
}

struct FolderCase {
    const wchar_t* path;
    const wchar_t* folder;  // null: no separator found
};

TEST(Paths, CutToFolderKeepsADriveRoot) {
    const FolderCase cases[] = {
        {L"C:\\Program Files\\swaypix.exe", L"C:\\Program Files"},
        {L"C:\\Zo\u00EB \u0416\\ソフト\\swaypix.exe", L"C:\\Zo\u00EB \u0416\\ソフト"},
        {L"C:\\swaypix.exe", L"C:\\"},      // a drive root stays a root
        {L"C:\\abc\\", L"C:\\abc"},
        {L"\\\\server\\share\\a.exe", L"\\\\server\\share"},
        {L"\\a.exe", nullptr},             // index 0 is no separator
        {L"swaypix.exe", nullptr},
    };
    for (const FolderCase& c : cases) {
        wchar_t path[PathBufferSize];
        wcscpy(path, c.path);
        EXPECT_EQ(c.folder != nullptr, CutToFolder(path)) << c.path;
        EXPECT_STREQ(c.folder ? c.folder : c.path, path);
    }
}

TEST(Paths, JoinAddsASeparatorOnlyWhereNeededAndRefusesWhatDoesNotFit) {
    wchar_t result[PathBufferSize];
    ASSERT_TRUE(JoinFolderAndName(result, L"C:\\Desk", L"SWAYPIX", L".LNK"));
    EXPECT_STREQ(L"C:\\Desk\\SWAYPIX.LNK", result);
    ASSERT_TRUE(JoinFolderAndName(result, L"C:\\", L"SWAYPIX", L".LNK"));
    EXPECT_STREQ(L"C:\\SWAYPIX.LNK", result);
    ASSERT_TRUE(JoinFolderAndName(result, L"C:/", L"SWAYPIX", L".LNK"));
    EXPECT_STREQ(L"C:/SWAYPIX.LNK", result);
    ASSERT_TRUE(JoinFolderAndName(result, L"C:\\Zo\u00EB \u0416", L"SWAYPIX(2)", L".LNK"));
    EXPECT_STREQ(L"C:\\Zo\u00EB \u0416\\SWAYPIX(2).LNK", result);

    std::wstring folder(PathBufferSize - 1 - wcslen(L"\\SWAYPIX.LNK"), L'a');
    EXPECT_TRUE(JoinFolderAndName(result, folder.c_str(), L"SWAYPIX", L".LNK"));
    EXPECT_EQ(PathBufferSize - 1, wcslen(result));
    folder += L"a";
    EXPECT_FALSE(JoinFolderAndName(result, folder.c_str(), L"SWAYPIX", L".LNK"));
    EXPECT_STREQ(L"", result);
}

TEST(ExeDirectory, RestoreMakesTheProgramsFolderCurrent) {
    wchar_t exe[PathBufferSize];
    ASSERT_TRUE(GetOwnExePath(exe));
    SetCurrentDirectoryW(L"C:\\windows");
    ASSERT_TRUE(RestoreExeDirectory());
    wchar_t current[PathBufferSize];
    GetCurrentDirectoryW(PathBufferSize, current);
    CutToFolder(exe);
    EXPECT_STREQ(exe, current);
}

// A name outside code page 932 and one inside it, in one folder.
TEST(Paths, FileExistsByAnyName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"Zo\u00EB \u0416 予定表";
    std::wstring file = folder + L"\\予定表.txt";
    CreateDirectoryW(folder.c_str(), NULL);
    CreateDirectoryW((folder + L"\\sub").c_str(), NULL);
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));

    EXPECT_TRUE(FileExists(file.c_str()));
    EXPECT_TRUE(FileExists((folder + L"\\sub").c_str()));  // a folder counts
    EXPECT_FALSE(FileExists((folder + L"\\none.txt").c_str()));
    EXPECT_FALSE(FileExists(NULL));
    EXPECT_FALSE(FileExists(L"Q:\\no-such-disk\\a.txt"));  // no system dialog either

    DeleteFileW(file.c_str());
    RemoveDirectoryW((folder + L"\\sub").c_str());
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

// Without COM on the thread the link object cannot be made: a failure,
// never a crash or a half-written file.
static DWORD WINAPI CreateWithoutCom(LPVOID result) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring link = std::wstring(temp) + L"nocom.lnk";
    *(bool*)result = CreateShortcut(L"C:\\windows\\notepad.exe", L"1000", link.c_str());
    *((bool*)result + 1) = GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
    return 0;
}

TEST(Shortcut, FailsWithoutComOrATargetALinkHolds) {
    bool result[2] = {true, true};
    HANDLE thread = CreateThread(NULL, 0, CreateWithoutCom, result, 0, NULL);
    WaitForSingleObject(thread, EventBoundMs);
    CloseHandle(thread);
    EXPECT_FALSE(result[0]);
    EXPECT_FALSE(result[1]);

    CoInitialize(NULL);
    EXPECT_FALSE(CreateShortcut(NULL, L"1000", L"C:\\x.lnk"));
    EXPECT_FALSE(CreateShortcut(L"", L"1000", L"C:\\x.lnk"));
    EXPECT_FALSE(CreateShortcut(L"C:\\windows\\notepad.exe", L"1000", L"C:\\no-such-folder\\x.lnk"));
    // A link holds fewer than 260 characters of its target: Wine's shell
    // took 297 and saved a link whose path read back as garbage.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring link = std::wstring(temp) + L"long-target.lnk";
    for (size_t length : {(size_t)297, (size_t)MAX_PATH}) {
        std::wstring target = L"C:\\" + std::wstring(length - 9, L'a') + L"\\x.exe";
        ASSERT_EQ(length, target.size());
        EXPECT_FALSE(CreateShortcut(target.c_str(), L"1000", link.c_str())) << length;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(link.c_str())) << "nothing written " << length;
        DeleteFileW(link.c_str());
    }
    CoUninitialize();
}
