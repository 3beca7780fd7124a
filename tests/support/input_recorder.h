// Records the input the system sees, through low-level mouse and keyboard
// hooks on a thread of the test process. The same hooks see input that
// another process injects, which is how the nudges are observed.
#pragma once
#include <windows.h>

struct RecordedInput {
    bool mouse;     // a mouse move; otherwise a key event
    POINT point;    // pointer position after a move
    DWORD vkCode;   // key events
    bool keyUp;
    bool injected;
    DWORD tick;     // GetTickCount when the hook saw it
};

void StartInputRecorder();
void StopInputRecorder();
void ClearRecordedInput();
int RecordedInputCount();

// Mouse moves, or Shift key events, recorded since the last clear.
int RecordedMouseMoves(RecordedInput* out, int capacity);
int RecordedShiftEvents(RecordedInput* out, int capacity);
