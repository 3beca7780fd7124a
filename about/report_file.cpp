#include "about/report_file.h"

#include <cstring>

wchar_t ReportTempPath[PathBufferSize];

static const wchar_t ReportFileName[] = L"VORLEXLIB_TEMP.TXT";

void ChooseReportTempPath() {
    wchar_t folder[PathBufferSize];
    DWORD length = GetTempPathW(PathBufferSize, folder);
    if (length == 0 || length >= PathBufferSize ||
        !JoinFolderAndName(ReportTempPath, folder, L"VORLEXLIB_TEMP", L".TXT")) {
        DWORD full = GetFullPathNameW(ReportFileName, PathBufferSize, ReportTempPath, NULL);
        if (full == 0 || full >= PathBufferSize) lstrcpyW(ReportTempPath, ReportFileName);
    }
}

static bool WriteAll(HANDLE file, const char* text) {
    DWORD length = (DWORD)strlen(text);
    DWORD written = 0;
    return WriteFile(file, text, length, &written, NULL) && written == length;
}

// Opened without sharing: nobody reads a half-written report.
static bool WriteReportText(const char* header, const char* text) {
    HANDLE file = CreateFileW(ReportTempPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool written = WriteAll(file, header) && WriteAll(file, text);
    return CloseHandle(file) && written;
}

bool WriteReportFile(const char* header, HGLOBAL report) {
    DeleteFileW(ReportTempPath);
    if (!report) return false;
    const char* text = (const char*)GlobalLock(report);
    bool written = text && WriteReportText(header, text);
    if (text) GlobalUnlock(report);
    GlobalFree(report);
    if (!written) DeleteFileW(ReportTempPath);
    return written;
}
