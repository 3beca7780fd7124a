#include "envreport/devices/network_adapter_section.h"

#include <cstddef>
#include <cstdlib>

#include "envreport/devices/adapter_access.h"
#include "envreport/report_datetime.h"
#include "envreport/report_language.h"
#include "envreport/report_text.h"

// The record layout of a 32-bit build, with 32-bit lease times.
static_assert(sizeof(IP_ADAPTER_INFO) == 640, "IP_ADAPTER_INFO of a 32-bit build");
static_assert(offsetof(IP_ADAPTER_INFO, LeaseObtained) == 632 && sizeof(((IP_ADAPTER_INFO*)0)->LeaseObtained) == 4,
              "32-bit lease times");

void SecondsToFileTime(int32_t seconds, FILETIME* fileTime) {
    const int64_t secondsFrom1601To1970 = 11644473600LL;
    uint64_t ticks = (uint64_t)(((int64_t)seconds + secondsFrom1601To1970) * 10000000LL);
    fileTime->dwLowDateTime = (DWORD)ticks;
    fileTime->dwHighDateTime = (DWORD)(ticks >> 32);
}

// The list in a zero-filled block the caller frees, or null. The second
// call decides, also when the first one fitted; a list that grew between
// the calls gives null rather than a partly filled block.
static IP_ADAPTER_INFO* ReadAdapterList() {
    ULONG size = sizeof(IP_ADAPTER_INFO);
    IP_ADAPTER_INFO* adapters = (IP_ADAPTER_INFO*)calloc(1, size);
    if (!adapters) return NULL;
    if (Adapters.getAdaptersInfo(adapters, &size) == ERROR_BUFFER_OVERFLOW) {
        free(adapters);
        adapters = (IP_ADAPTER_INFO*)calloc(1, size);
        if (!adapters) return NULL;
    }
    if (Adapters.getAdaptersInfo(adapters, &size) != NO_ERROR) {
        free(adapters);
        return NULL;
    }
    return adapters;
}

struct AdapterTypeName {
    UINT type;
    const char* name;
};

// "Lookback" is spelt so on purpose: reports already sent in use it.
static const AdapterTypeName AdapterTypeNames[] = {
    {MIB_IF_TYPE_OTHER, "Other"}, {MIB_IF_TYPE_ETHERNET, "Ethernet"}, {MIB_IF_TYPE_TOKENRING, "Token Ring"},
    {MIB_IF_TYPE_FDDI, "FDDI"},   {MIB_IF_TYPE_PPP, "PPP"},           {MIB_IF_TYPE_LOOPBACK, "Lookback"},
    {MIB_IF_TYPE_SLIP, "Slip"},
};

static const char* AdapterTypeText(UINT type) {
    for (const AdapterTypeName& entry : AdapterTypeNames)
        if (entry.type == type) return entry.name;
    return "Unknown";
}

// "00-1a-2b-3c-4d-5e"; a length beyond the array is cut to it.
static void AppendHardwareAddress(ReportBuffer& report, const IP_ADAPTER_INFO& adapter) {
    report.Append(Pick("\r\nMACアドレス   :", "\r\nAdapter Addr  :"));
    UINT length = adapter.AddressLength < MAX_ADAPTER_ADDRESS_LENGTH ? adapter.AddressLength : MAX_ADAPTER_ADDRESS_LENGTH;
    for (UINT i = 0; i < length; ++i) report.AppendFormat("%02x%s", adapter.Address[i], i + 1 < length ? "-" : "");
}

static void AppendLeaseTime(ReportBuffer& report, const char* label, int32_t seconds) {
    FILETIME utc, local;
    SecondsToFileTime(seconds, &utc);
    FileTimeToLocalFileTime(&utc, &local);
    SYSTEMTIME time = {};
    FileTimeToSystemTime(&local, &time);
    char text[ReportDateTimeSize];
    FormatReportDateTime(time, text);
    report.Append(label);
    report.Append(text);
}

static void AppendDhcpLines(ReportBuffer& report, const IP_ADAPTER_INFO& adapter) {
    if (!adapter.DhcpEnabled) {
        report.Append(Pick("\r\nDHCPサーバ    :無効", "\r\nDHCP Server   :disabled"));
        return;
    }
    report.AppendFormat(Pick("\r\nDHCPサーバ    :%s", "\r\nDHCP Server   :%s"), adapter.DhcpServer.IpAddress.String);
    if (adapter.LeaseObtained)
        AppendLeaseTime(report, Pick("\r\n リース取得    :", "\r\n Lease Obtained:"), (int32_t)adapter.LeaseObtained);
    if (adapter.LeaseExpires)
        AppendLeaseTime(report, Pick("\r\n リース有効期限:", "\r\n Lease Expires :"), (int32_t)adapter.LeaseExpires);
}

static void AppendWinsLines(ReportBuffer& report, const IP_ADAPTER_INFO& adapter) {
    if (!adapter.HaveWins) {
        report.Append(Pick("\r\nWINS          :なし", "\r\nWINS          :No"));
        return;
    }
    report.Append(Pick("\r\nWINS          :あり", "\r\nWINS          :Yes"));
    report.AppendFormat(Pick("\r\n ﾌﾟﾗｲﾏﾘWINSｻｰﾊﾞ:%s", "\r\n Primary Wins Server  :%s"),
                        adapter.PrimaryWinsServer.IpAddress.String);
    report.AppendFormat(Pick("\r\n ｾｶﾝﾀﾞﾘWINSｻｰﾊﾞ:%s", "\r\n Secondary Wins Server:%s"),
                        adapter.SecondaryWinsServer.IpAddress.String);
}

// Only the first entry of each address list is written.
static void AppendAdapterBlock(ReportBuffer& report, const IP_ADAPTER_INFO& adapter) {
    report.AppendFormat(Pick("\r\nアダプタID    :%s", "\r\nAdapter Name  :%s"), adapter.AdapterName);
    report.AppendFormat(Pick("\r\nアダプタ説明  :%s", "\r\nAdapter Desc  :%s"), adapter.Description);
    AppendHardwareAddress(report, adapter);
    report.Append(Pick("\r\nアダプタIndex :", "\r\nIndex         :"));
    report.Append(FormatUnsigned(adapter.Index));
    report.Append(Pick("\r\nアダプタ種別  :", "\r\nType          :"));
    report.Append(AdapterTypeText(adapter.Type));
    report.AppendFormat(Pick("\r\nIPv4アドレス  :%s", "\r\nIPv4 Address  :%s"), adapter.IpAddressList.IpAddress.String);
    report.AppendFormat(Pick("\r\nｻﾌﾞﾈｯﾄﾏｽｸ     :%s", "\r\nIP Mask       :%s"), adapter.IpAddressList.IpMask.String);
    report.AppendFormat(Pick("\r\nﾃﾞﾌｫﾙﾄｹﾞｰﾄｳｪｲ :%s", "\r\nGateway       :%s"), adapter.GatewayList.IpAddress.String);
    AppendDhcpLines(report, adapter);
    AppendWinsLines(report, adapter);
    report.Append("\r\n");
}

void WriteNetworkAdapterSection(ReportBuffer& report, ReportContext&) {
    report.Append(Pick("\r\n[ネットワークアダプタ]", "\r\n[Network Adapter]"));
    IP_ADAPTER_INFO* adapters = ReadAdapterList();
    if (!adapters) report.Append(Pick("\r\n情報取得失敗\r\n", "\r\nCall to GetAdaptersInfo failed.\r\n"));
    for (const IP_ADAPTER_INFO* adapter = adapters; adapter; adapter = adapter->Next) AppendAdapterBlock(report, *adapter);
    free(adapters);
}
