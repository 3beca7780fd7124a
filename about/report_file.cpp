#include "about/report_file.h"

#include <cstdio>
#include <cstring>

char ReportTempPath[PathBufferSize];

static const char ReportFileName[] = "VORLEXLIB_TEMP.TXT";

void ChooseReportTempPath() {
    char folder[PathBufferSize];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder || !JoinFolderAndName(ReportTempPath, folder, "VORLEXLIB_TEMP", ".TXT")) {
        DWORD full = GetFullPathNameA(ReportFileName, sizeof ReportTempPath, ReportTempPath, NULL);
        if (full == 0 || full >= sizeof ReportTempPath) lstrcpyA(ReportTempPath, ReportFileName);
    }
}

static bool WriteAll(FILE* file, const char* text) {
    size_t length = strlen(text);
    return fwrite(text, 1, length, file) == length;
}

bool WriteReportFile(const char* header, HGLOBAL report) {
    DeleteFileA(ReportTempPath);
    if (!report) return false;
    bool written = false;
    const char* text = (const char*)GlobalLock(report);
    if (text) {
        FILE* file = fopen(ReportTempPath, "wb");
        if (file) {
            written = WriteAll(file, header) && WriteAll(file, text);
            written = fclose(file) == 0 && written;
        }
        GlobalUnlock(report);
    }
    GlobalFree(report);
    if (!written) DeleteFileA(ReportTempPath);
    return written;
}
