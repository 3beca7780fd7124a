// Records the input the system sees, through low-level mouse and keyboard
// hooks on a thread of the test process. The same hooks see input that
// another process injects, which is how the nudges are observed.
#pragma once
#include <windows.h>

struct RecordedInput {
    bool mouse;     // a mouse move; otherwise a key or left-button event
    POINT point;    // pointer position after a move
    DWORD vkCode;   // key events; VK_LBUTTON for the left button
    bool keyUp;
    bool injected;
    DWORD tick;     // GetTickCount when the hook saw it
};

// Puts the pointer at (x, y) and returns once it has stayed there for a
// moment: in a process's first moments under Wine a position set at once
// can be overwritten by the one the X server reports later.
bool PlacePointer(int x, int y);

void StartInputRecorder();
void StopInputRecorder();
void ClearRecordedInput();
int RecordedInputCount();

// Returns once the recorder has seen all input this process sent before
// the call: a key-up of F24, which nothing presses, follows it through the
// hooks and is not recorded.
void SettleRecordedInput();

// Everything, mouse moves, or Shift key events, recorded since the last
// clear, in the order seen.
int RecordedInputs(RecordedInput* out, int capacity);
int RecordedMouseMoves(RecordedInput* out, int capacity);
int RecordedShiftEvents(RecordedInput* out, int capacity);

// The time of the last input the system registered (GetLastInputInfo),
// whoever gave it.
DWORD LastInputTick();
