#include "tests/support/remote_session.h"

int FakeRemoteSession = 0;

static int WINAPI FakeSystemMetrics(int index) {
    return index == SM_REMOTESESSION ? FakeRemoteSession : GetSystemMetrics(index);
}

SessionAccess WithFakeRemoteSession() {
    SessionAccess session = LiveSession;
    session.getSystemMetrics = FakeSystemMetrics;
    return session;
}
