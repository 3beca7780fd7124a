#include "tests/support/synthetic_version.h"

#include <cstring>


static const SyntheticVersion* Synthetic;

static BOOL SyntheticGetVersion(OSVERSIONINFOA* info) {
    DWORD size = info->dwOSVersionInfoSize;
    if (size == sizeof(OSVERSIONINFOEXA) && Synthetic->extendedFails) return FALSE;
    if (size != sizeof(OSVERSIONINFOEXA) && size != sizeof(OSVERSIONINFOA)) return FALSE;
    memcpy(info, &Synthetic->record, size);
    info->dwOSVersionInfoSize = size;
    return TRUE;
}

static BOOL SyntheticGetProductInfo(DWORD, DWORD, DWORD, DWORD, DWORD* type) {
    if (!Synthetic->hasProductInfo) return FALSE;
    *type = Synthetic->productInfoType;
    return TRUE;
}

static int WINAPI SyntheticMetric(int index) {
    auto found = Synthetic->metrics.find(index);
    return found == Synthetic->metrics.end() ? GetSystemMetrics(index) : found->second;
}

static WORD SyntheticNativeArchitecture() {
    return Synthetic->nativeArchitecture;
}

static USHORT SyntheticNativeMachine() {
    return Synthetic->nativeMachine;
}

static VersionAccess SyntheticVersionAccess() {
    return {SyntheticGetVersion, SyntheticGetProductInfo, SyntheticNativeArchitecture, SyntheticNativeMachine};
}

static SessionAccess SyntheticSessionAccess() {
    SessionAccess session = Session;
    session.getSystemMetrics = SyntheticMetric;
    return session;
}

VersionSwap::VersionSwap(const SyntheticVersion* presented)
    : version(Version, SyntheticVersionAccess()), session(Session, SyntheticSessionAccess()) {
    Synthetic = presented;
}
