#include "about/wait_cursor.h"

HCURSOR BeginWaitCursor() {
    return SetCursor(LoadCursorA(NULL, IDC_WAIT));
}

void EndWaitCursor(HCURSOR previous) {
    SetCursor(previous ? previous : LoadCursorA(NULL, IDC_ARROW));
}
