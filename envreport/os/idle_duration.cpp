#include "envreport/os/idle_duration.h"

#include "envreport/report_language.h"

void FormatIdleDuration(DWORD seconds, char (&text)[IdleDurationSize]) {
    if (seconds == 0) lstrcpyA(text, Pick("なし", "never"));
    else if (seconds % 60 == 0) wsprintfA(text, Pick("%u分", "%u min"), (unsigned)(seconds / 60));
    else wsprintfA(text, Pick("%u秒", "%u s"), (unsigned)seconds);
}
