// Registers record_open.exe as the shell's handler of a URL scheme or file
// class in the test's Wine prefix, and reads back what it recorded.
#pragma once
#include <string>

// Points <key>\shell\open\command (under HKLM\Software\Classes) at
// record_open.exe, remembering what was there.
void RegisterRecordingHandler(const char* classKey);
// The same with another program as handler (one that is not there, say).
void RegisterHandler(const char* classKey, const std::string& program);
void RestoreHandler(const char* classKey);

// Sets the log record_open.exe writes to (inherited by processes started
// afterwards) and empties it.
void ResetOpenLog();
// Waits until the log holds `entries` openings; returns its text.
std::string WaitForOpenLog(int entries, unsigned timeoutMs);
