#include "app/system_request.h"

#include "common/ansi_text.h"
#include "common/session_access.h"
#include "common/ui_language.h"

static const LocalText RequestReason = {"SWAYPIX: スリープを防いでいます（画面は設定どおり消えます）",
                                        "SWAYPIX: keeping the PC awake; the display may turn off"};

enum SystemHold { NotHeld, HeldByRequest, HeldByExecutionState };
static SystemHold Held;
// Made on the first take and kept for the process, whose exit releases it.
static HANDLE PowerRequest = INVALID_HANDLE_VALUE;
static wchar_t ReasonText[64];

static bool HavePowerRequest() {
    if (PowerRequest != INVALID_HANDLE_VALUE) return true;
    if (!WidenText(932, PickUiText(RequestReason), ReasonText, sizeof ReasonText / sizeof *ReasonText))
        return false;
    REASON_CONTEXT reason = {};
    reason.Version = POWER_REQUEST_CONTEXT_VERSION;
    reason.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    reason.Reason.SimpleReasonString = ReasonText;
    HANDLE request = Session.powerCreateRequest(&reason);
    if (request == NULL) request = INVALID_HANDLE_VALUE;
    PowerRequest = request;
    return request != INVALID_HANDLE_VALUE;
}

// Windows before 7 has no power requests, and Wine answers
// ERROR_CALL_NOT_IMPLEMENTED.
void TakeSystemRequest() {
    if (Held != NotHeld) return;
    if (HavePowerRequest() && Session.powerSetRequest(PowerRequest, PowerRequestSystemRequired)) {
        Held = HeldByRequest;
        return;
    }
    Session.setThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    Held = HeldByExecutionState;
}

void ReleaseSystemRequest() {
    if (Held == HeldByRequest) Session.powerClearRequest(PowerRequest, PowerRequestSystemRequired);
    if (Held == HeldByExecutionState) Session.setThreadExecutionState(ES_CONTINUOUS);
    Held = NotHeld;
}
