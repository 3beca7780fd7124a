#include "envreport/devices/drive_section.h"

#include "envreport/devices/fixed_drive.h"
#include "envreport/devices/optical_drive.h"
#include "envreport/devices/removable_drive.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"

struct SpaceUnit {
    unsigned shift;
    const char* format;
};

static const SpaceUnit SpaceUnits[] = {
    {40, "%6u/%6uTB"}, {30, "%6u/%6uGB"}, {20, "%6u/%6uMB"}, {10, "%6u/%6uKB"}, {0, "%6u/%6uB "},
};

// In the unit chosen the total is below 100 x 1024, and free space never
// exceeds the total, so both fit the 32-bit numbers wsprintfA takes.
void FormatSpaceText(uint64_t freeBytes, uint64_t totalBytes, char (&out)[SpaceTextSize]) {
    const SpaceUnit* unit = SpaceUnits;
    while (unit->shift != 0 && (totalBytes >> unit->shift) <= 99) ++unit;
    wsprintfA(out, unit->format, (unsigned)(freeBytes >> unit->shift), (unsigned)(totalBytes >> unit->shift));
}

void AppendVolumeColumns(ReportBuffer& report, const char* fileSystem, DWORD serial, const char* label) {
    char padded[MAX_PATH + 1];
    PadRight(17, fileSystem, padded, sizeof padded);
    report.AppendFormat("  %s", padded);
    report.AppendFormat("%04X-%04X %s\r\n", serial >> 16, serial & 0xFFFF, label);
}

static void AppendKind(ReportBuffer& report, char letter, UINT driveType) {
    char fixedKind[FixedDriveKindSize];
    switch (driveType) {
    case DRIVE_REMOVABLE:
        report.Append(RemovableDriveKind(letter));
        break;
    case DRIVE_FIXED:
        FormatFixedDriveKind(letter, fixedKind);
        report.Append(fixedKind);
        break;
    case DRIVE_REMOTE:
        report.Append("Remote    ");
        break;
    case DRIVE_CDROM:
        report.Append(OpticalDriveKind(ProbeOpticalProfile(letter)));
        break;
    case DRIVE_RAMDISK:
        report.Append("RAMDisk   ");
        break;
    default:
        report.Append("Unknown   ");
        break;
    }
}

static void AppendSpace(ReportBuffer& report, const char* root) {
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(root, &available, &total, &free)) {
        report.Append("------/------  ");
        return;
    }
    char text[SpaceTextSize];
    FormatSpaceText(free.QuadPart, total.QuadPart, text);
    report.Append(text);
}

// Without volume information the line ends after the space column.
static void AppendVolume(ReportBuffer& report, const char* root) {
    char label[MAX_PATH];
    char fileSystem[MAX_PATH + 1];
    DWORD serial = 0;
    if (!GetVolumeInformationA(root, label, sizeof label, &serial, NULL, NULL, fileSystem, sizeof fileSystem)) {
        report.Append("\r\n");
        return;
    }
    AppendVolumeColumns(report, fileSystem, serial, label);
}

static void AppendDriveLine(ReportBuffer& report, char letter) {
    char root[] = "?:\\";
    root[0] = letter;
    UINT driveType = GetDriveTypeA(root);
    if (driveType == DRIVE_NO_ROOT_DIR || driveType > DRIVE_RAMDISK) return;
    char start[] = "?: ";
    start[0] = letter;
    report.Append(start);
    AppendKind(report, letter, driveType);
    AppendSpace(report, root);
    AppendVolume(report, root);
}

void WriteDriveSection(ReportBuffer& report, ReportContext&) {
    // "Valume Label" is spelt so on purpose: reports already sent in use it.
    report.Append(Pick("\r\n\r\n[ディスクドライブ]\r\n   種別      空容量/全容量    ファイルシステム シリアル  ボリュームラベル\r\n",
                       "\r\n\r\n[Disk Drives]\r\n   Type      Disk Free Space  File System      Serial    Valume Label\r\n"));
    // No "insert a disk" box may stop the report on an empty drive.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    for (char letter = 'A'; letter <= 'Z'; ++letter) AppendDriveLine(report, letter);
    SetErrorMode(previousMode);
}
