#include "envreport/devices/display_adapter_section.h"

#include <windows.h>

#include "envreport/report_language.h"

void WriteDisplayAdapterSection(ReportBuffer& report, ReportContext&) {
    report.Append(Pick("\r\n[ディスプレイアダプタ]\r\n", "\r\n[Display Adapter]\r\n"));
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    for (DWORD index = 0; EnumDisplayDevicesA(NULL, index, &device, 0) == 1; ++index)
        report.AppendFormat("%-14s:%s\r\n", device.DeviceName, device.DeviceString);
}
