#include "tests/support/console_capture.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

static HANDLE CreateInheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       NULL);
}

CapturedRun RunCapturing(const std::string& commandLine, DWORD timeoutMs) {
    return RunCapturing(WideOf(commandLine), timeoutMs);
}

CapturedRun RunCapturing(const std::wstring& commandLine, DWORD timeoutMs) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    // Names of this run alone: a child that outlived an earlier run could
    // still hold that run's files.
    static unsigned runs;
    std::string stem = std::string(folder) + "swaypix-capture-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(++runs);
    std::string outPath = stem + "-out.txt";
    std::string errPath = stem + "-err.txt";
    HANDLE out = CreateInheritableFile(outPath);
    HANDLE err = CreateInheritableFile(errPath);
    EXPECT_NE(INVALID_HANDLE_VALUE, out) << outPath;
    EXPECT_NE(INVALID_HANDLE_VALUE, err) << errPath;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi = {};
    std::wstring line = commandLine;
    CapturedRun run = {STILL_ACTIVE, "", ""};
    if (CreateProcessW(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi)) {
        if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &run.exitCode);
        else TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    run.out = ReadTextFile(outPath);
    run.err = ReadTextFile(errPath);
    DeleteFileA(outPath.c_str());
    DeleteFileA(errPath.c_str());
    return run;
}
