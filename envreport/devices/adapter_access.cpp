#include "envreport/devices/adapter_access.h"

#include "common/optional_functions.h"

static DWORD WINAPI LiveGetAdaptersInfo(PIP_ADAPTER_INFO adapters, PULONG size) {
    GetAdaptersInfoFunction getAdaptersInfo = OptionalGetAdaptersInfo();
    return getAdaptersInfo ? getAdaptersInfo(adapters, size) : ERROR_NOT_SUPPORTED;
}

const AdapterAccess LiveAdapters = {LiveGetAdaptersInfo};
AdapterAccess Adapters = LiveAdapters;
