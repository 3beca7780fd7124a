// The drive section on the drives of the test's Wine prefix: letters it
// maps, letters typed as CD-ROM and removable through Wine's mount
// manager (as its drive settings do), a letter whose target is missing.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <cstdio>
#include <string>

#include "envreport/devices/device_access.h"
#include "envreport/devices/drive_section.h"
#include "tests/support/device_replay.h"
#include "tests/support/linux_tools.h"
#include "tests/support/report_section.h"

// Wine's own request for defining a drive letter, as its drive settings
// send it to the mount manager.
struct WineUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
static const DWORD DefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// Points the letter at a Unix folder with a drive type; DRIVE_NO_ROOT_DIR
// and no folder remove it.
static bool DefineWineDrive(char letter, UINT type, const std::string& unixFolder) {
    char request[sizeof(WineUnixDrive) + MAX_PATH] = {};
    WineUnixDrive* drive = (WineUnixDrive*)request;
    drive->type = type;
    drive->letter = (WCHAR)(letter - 'A' + 'a');
    DWORD size = sizeof *drive;
    if (!unixFolder.empty()) {
        drive->mountPointOffset = (USHORT)size;
        lstrcpynA(request + size, unixFolder.c_str(), MAX_PATH);
        size += (DWORD)unixFolder.size() + 1;
    }
    drive->size = size;
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (manager == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    BOOL done = DeviceIoControl(manager, DefineUnixDrive, request, size, NULL, 0, &returned, NULL);
    CloseHandle(manager);
    return done != FALSE;
}

static std::string DosDevicesFolder() {
    std::string c = UnixPathOf("C:\\");  // .../dosdevices/c:/
    return c.substr(0, c.find("/c:"));
}

static std::string RootOf(char letter) {
    return std::string(1, letter) + ":\\";
}

// K: a plain link of the prefix, L: CD-ROM, M: removable, N: a link whose
// folder does not exist, O: remote, P: RAM disk, R: a removable drive
// without its medium (folder).
class WineDrives : public ::testing::Test {
protected:
    static std::string windowsFolder;
    static void SetUpTestSuite() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        windowsFolder = std::string(temp) + "swaypix-drives";
        CreateDirectoryA(windowsFolder.c_str(), NULL);
        std::string folder = UnixPathOf(windowsFolder);
        std::string links = DosDevicesFolder();
        RunLinuxCommand("ln -sfn " + ShellQuote(folder) + " " + ShellQuote(links + "/k:") + "; ln -sfn " +
                        ShellQuote(folder + "/missing") + " " + ShellQuote(links + "/n:"));
        DefineWineDrive('L', DRIVE_CDROM, folder);
        DefineWineDrive('M', DRIVE_REMOVABLE, folder);
        DefineWineDrive('O', DRIVE_REMOTE, folder);
        DefineWineDrive('P', DRIVE_RAMDISK, folder);
        DefineWineDrive('R', DRIVE_REMOVABLE, folder + "/missing");
    }
    static void TearDownTestSuite() {
        DefineWineDrive('L', DRIVE_NO_ROOT_DIR, "");
        DefineWineDrive('M', DRIVE_NO_ROOT_DIR, "");
        for (char letter : {'O', 'P', 'R'}) DefineWineDrive(letter, DRIVE_NO_ROOT_DIR, "");
        std::string links = DosDevicesFolder();
        RunLinuxCommand("rm -f " + ShellQuote(links + "/k:") + " " + ShellQuote(links + "/n:"));
        RemoveDirectoryA(windowsFolder.c_str());
    }
};
std::string WineDrives::windowsFolder;

static std::string SpaceTextOf(char letter) {
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(RootOf(letter).c_str(), &available, &total, &free)) return "------/------  ";
    char text[SpaceTextSize];
    FormatSpaceText(free.QuadPart, total.QuadPart, text);
    return text;
}

static std::string VolumeColumnsOf(char letter) {
    char label[MAX_PATH], fileSystem[MAX_PATH + 1];
    DWORD serial;
    if (!GetVolumeInformationA(RootOf(letter).c_str(), label, sizeof label, &serial, NULL, NULL, fileSystem,
                               sizeof fileSystem))
        return "\r\n";
    char columns[2 * MAX_PATH + 40];
    snprintf(columns, sizeof columns, "  %-17s%04lX-%04lX %s\r\n", fileSystem, serial >> 16, serial & 0xFFFF, label);
    return columns;
}

// The section's line of the letter, "" when it has none.
static std::string LineOf(const std::string& section, char letter) {
    size_t at = section.find(std::string("\r\n") + letter + ": ");
    if (at == std::string::npos) return "";
    return section.substr(at + 2, section.find("\r\n", at + 2) - at);
}

static const char EnglishHeader[] =
    "\r\n\r\n[Disk Drives]\r\n   Type      Disk Free Space  File System      Serial    Valume Label\r\n";

// Wine answers none of the kind queries of real hardware: its disks
// refuse IDENTIFY, its CD-ROM answers no MMC command, and its removable
// drives report fixed media. The other types have a text of their own.
static std::string WineKindOf(UINT driveType) {
    switch (driveType) {
    case DRIVE_CDROM:
        return "CD/DVD/BD ";
    case DRIVE_REMOVABLE:
        return "Removable ";
    case DRIVE_FIXED:
        return "Fixed     ";
    case DRIVE_REMOTE:
        return "Remote    ";
    case DRIVE_RAMDISK:
        return "RAMDisk   ";
    }
    return "Unknown   ";
}

TEST_F(WineDrives, EveryMappedLetterInOrderWithWhatWineReports) {
    ASSERT_EQ((UINT)DRIVE_FIXED, GetDriveTypeA("K:\\"));
    ASSERT_EQ((UINT)DRIVE_CDROM, GetDriveTypeA("L:\\"));
    ASSERT_EQ((UINT)DRIVE_REMOVABLE, GetDriveTypeA("M:\\"));
    ASSERT_EQ((UINT)DRIVE_NO_ROOT_DIR, GetDriveTypeA("N:\\"));
    std::string before[26], volumeBefore[26];
    for (int i = 0; i < 26; ++i) {
        before[i] = SpaceTextOf((char)('A' + i));
        volumeBefore[i] = VolumeColumnsOf((char)('A' + i));
    }
    std::string section = SectionText(WriteDriveSection, false);
    ASSERT_EQ(0u, section.find(EnglishHeader)) << section;

    std::string expected = EnglishHeader;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        UINT type = GetDriveTypeA(RootOf(letter).c_str());
        if (type == DRIVE_NO_ROOT_DIR) continue;
        // Free space may move while the test runs, and in a new prefix Wine
        // may answer a linked letter's volume query once and not the next
        // time: either reading will do.
        std::string head = std::string(1, letter) + ": " + WineKindOf(type);
        std::string line = LineOf(section, letter);
        std::string after = SpaceTextOf(letter);
        std::string space = line.size() >= 28 && line.compare(13, 15, after) == 0 ? after : before[letter - 'A'];
        std::string volume = VolumeColumnsOf(letter);
        if (line != head + space + volume) volume = volumeBefore[letter - 'A'];
        expected += head + space + volume;
    }
    EXPECT_EQ(expected, section);
    EXPECT_NE(std::string::npos, section.find("\r\nL: CD/DVD/BD ")) << section;
    EXPECT_NE(std::string::npos, LineOf(section, 'L').find("  CDFS    "));
    EXPECT_EQ(0u, LineOf(section, 'K').find("K: Fixed     ")) << "a plain link has no device to ask";
    EXPECT_EQ("", LineOf(section, 'N'));
    EXPECT_EQ(0u, LineOf(section, 'O').find("O: Remote    ")) << section;
    EXPECT_EQ(0u, LineOf(section, 'P').find("P: RAMDisk   ")) << section;
    EXPECT_EQ(0u, LineOf(section, 'R').find("R: Removable ------/------    ")) << "an empty drive has no space";
}

static UINT ErrorModeAtOpen;
static HANDLE RefuseOpen(const char*, DWORD) {
    ErrorModeAtOpen = GetErrorMode();
    return INVALID_HANDLE_VALUE;
}

TEST_F(WineDrives, RefusedDeviceQueriesGivePlainKindsUnderTheCriticalErrorMode) {
    DeviceAccess refusing = LiveDevices;
    refusing.open = RefuseOpen;
    ScopedSwap<DeviceAccess> devices(Devices, refusing);
    UINT mode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    std::string section = SectionText(WriteDriveSection, true);
    EXPECT_EQ((UINT)SEM_NOOPENFILEERRORBOX, SetErrorMode(mode)) << "the old mode is restored";
    EXPECT_EQ((UINT)SEM_FAILCRITICALERRORS, ErrorModeAtOpen);
    EXPECT_EQ(0u, section.find("\r\n\r\n[ディスクドライブ]\r\n   種別      空容量/全容量    ファイルシステム シリアル  ボリュームラベル\r\n"));
    EXPECT_EQ(0u, LineOf(section, 'C').find("C: Fixed     "));
    EXPECT_EQ(0u, LineOf(section, 'L').find("L: CD/DVD/BD "));
    EXPECT_EQ(0u, LineOf(section, 'M').find("M: FDD/RMV   "));
}
