// Running a console program of the build and keeping what it printed.
#pragma once
#include <windows.h>

#include <string>

struct CapturedRun {
    DWORD exitCode;  // STILL_ACTIVE if it did not end in time
    std::string out;
    std::string err;
};

// Runs `commandLine` (a Windows command line) with standard output and
// error sent to files, so neither can fill a pipe and stall the child.
CapturedRun RunCapturing(const std::string& commandLine, DWORD timeoutMs = 600000);
CapturedRun RunCapturing(const std::wstring& commandLine, DWORD timeoutMs = 600000);
