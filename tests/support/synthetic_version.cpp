#include "tests/support/synthetic_version.h"

#include <cstring>

#include "envreport/os/version_access.h"

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

static int SyntheticMetric(int index) {
    auto found = Synthetic->metrics.find(index);
    return found == Synthetic->metrics.end() ? 0 : found->second;
}

static WORD SyntheticNativeArchitecture() {
    return Synthetic->nativeArchitecture;
}

static USHORT SyntheticNativeMachine() {
    return Synthetic->nativeMachine;
}

void UseSyntheticVersion(const SyntheticVersion* version) {
    Synthetic = version;
    Version = {SyntheticGetVersion, SyntheticGetProductInfo, SyntheticMetric, SyntheticNativeArchitecture,
               SyntheticNativeMachine};
}

void UseLiveVersion() {
    Version = LiveVersion;
}
