// Starting the real swaypix.exe and driving its windows from a test, as a
// user would: find the window, read its texts, press its buttons.
#pragma once
#include <windows.h>

#include <string>

// Full path of a program built next to the running test executable.
std::string BuiltProgramPath(const char* fileName);

// Starts swaypix.exe with the given argument text ("" for none).
PROCESS_INFORMATION StartSwaypix(const std::string& arguments);
// Starts a program by its full path, whatever its folder is called.
PROCESS_INFORMATION StartProgram(const std::wstring& exe, const std::wstring& arguments);

// A file held open without sharing by another process, as an editor
// holds one, until released.
struct HeldFile {
    PROCESS_INFORMATION holder;
    HANDLE release;
};
// True once held.
bool HoldFileOpen(const std::wstring& path, HeldFile* held);
void ReleaseHeldFile(HeldFile& held);

// Exit code, or STILL_ACTIVE if the process did not end in time.
DWORD WaitForExit(const PROCESS_INFORMATION& process, DWORD timeoutMs);
void CloseProcess(PROCESS_INFORMATION& process);

// The resident instance's window, or NULL after the timeout.
HWND WaitForResidentWindow(DWORD timeoutMs);
// Ends every resident instance (silently) so the next test starts clean.
void EndResidentInstances();

// A visible dialog or message box (class #32770) of the given process.
HWND WaitForDialogOf(DWORD processId, DWORD timeoutMs);
// True if the process shows any visible top-level window within the time.
bool ShowsAnyWindow(DWORD processId, DWORD timeoutMs);

std::wstring WindowTextW(HWND window);
std::wstring ControlTextW(HWND dialog, int controlId);
// A message box's text sits in its static control 0xFFFF.
std::wstring MessageBoxTextW(HWND box);
// The icon the message box shows, compared with a system icon.
bool MessageBoxShowsIcon(HWND box, LPCSTR systemIcon);
// Checks a message box's caption, text and icon as the user sees them;
// false, with the test failed, when there is no box.
bool ExpectMessageBox(HWND box, const wchar_t* caption, const std::wstring& text, LPCSTR icon);
// Presses a button by its identifier, as a click would.
void PressDialogButton(HWND dialog, int controlId);

// A message box that `owner` opened, or NULL after the timeout.
HWND WaitForMessageBoxOwnedBy(HWND owner, DWORD timeoutMs);
// Any dialog (message box or not) that `owner` opened, or NULL.
HWND WaitForDialogOwnedBy(HWND owner, DWORD timeoutMs);
// Presses a message box's button and waits until the box is gone.
void AnswerMessageBox(HWND box, int buttonId);
void SetControlTextW(HWND dialog, int controlId, const wchar_t* text);
bool IsButtonChecked(HWND dialog, int controlId);
// Presses a check box until it shows `checked`; false if it never does.
bool SetButtonChecked(HWND dialog, int controlId, bool checked);
