#include "tests/support/console_capture.h"

#include "tests/support/test_files.h"

static HANDLE CreateInheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       NULL);
}

CapturedRun RunCapturing(const std::string& commandLine, DWORD timeoutMs) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string outPath = std::string(folder) + "swaypix-capture-out.txt";
    std::string errPath = std::string(folder) + "swaypix-capture-err.txt";
    HANDLE out = CreateInheritableFile(outPath);
    HANDLE err = CreateInheritableFile(errPath);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi = {};
    std::string line = commandLine;
    CapturedRun run = {STILL_ACTIVE, "", ""};
    if (CreateProcessA(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi)) {
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
