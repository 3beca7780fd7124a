#include "app/working_hours.h"

#include "common/nudge_settings.h"
#include "common/session_access.h"

static bool DayChosen(int dayOfWeek) {
    return SessionBounds.days == 0 || (SessionBounds.days >> dayOfWeek & 1u);
}

bool WithinWorkingHours() {
    const NudgeBounds& bounds = SessionBounds;
    if (!bounds.hasHours && !bounds.days) return true;
    SYSTEMTIME now;
    Session.getLocalTime(&now);
    int day = now.wDayOfWeek;
    if (!bounds.hasHours) return DayChosen(day);
    int minute = now.wHour * 60 + now.wMinute;
    int from = bounds.hoursFromMinute, to = bounds.hoursToMinute;
    if (from < to) return minute >= from && minute < to && DayChosen(day);
    if (minute >= from) return DayChosen(day);
    return minute < to && DayChosen((day + 6) % 7);  // the morning of yesterday's window
}
