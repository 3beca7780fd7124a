#include "common/session_access.h"

const SessionAccess LiveSession = {GetSystemMetrics, GetCursorPos, GetTickCount};
SessionAccess Session = LiveSession;
