// A remote session, which Wine cannot be, played through `Session`.
#pragma once
#include "common/session_access.h"

// What SM_REMOTESESSION answers in the session below.
extern int FakeRemoteSession;
// `LiveSession` but for SM_REMOTESESSION.
SessionAccess WithFakeRemoteSession();
