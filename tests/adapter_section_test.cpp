// The display and network adapter sections: the devices and adapters of
// the test machine as Wine and Linux report them, and recorded adapter
// records for what this machine does not have (leases, WINS, odd types,
// lists that outgrow the buffer). The program runs at UTC+9.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "envreport/devices/adapter_access.h"
#include "envreport/devices/display_adapter_section.h"
#include "envreport/devices/network_adapter_section.h"
#include "tests/support/linux_tools.h"
#include "tests/support/report_section.h"
#include "tests/support/scoped_swap.h"

// Wine on one Xvfb screen has one display device; its 12-character name
// is padded to 14.
TEST(DisplayAdapters, OneLinePerEnumeratedDevice) {
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    ASSERT_TRUE(EnumDisplayDevicesA(NULL, 0, &device, 0));
    ASSERT_FALSE(EnumDisplayDevicesA(NULL, 1, &device, 0));
    EXPECT_EQ("\r\n[Display Adapter]\r\n\\\\.\\DISPLAY1  :Wine Adapter\r\n", SectionText(WriteDisplayAdapterSection, false));
    EXPECT_EQ("\r\n[ディスプレイアダプタ]\r\n\\\\.\\DISPLAY1  :Wine Adapter\r\n", SectionText(WriteDisplayAdapterSection, true));
}

// The text of the block whose description is `name`, "" if none.
static std::string BlockOf(const std::string& section, const std::string& name) {
    size_t at = section.find("\r\nAdapter Desc  :" + name + "\r\n");
    if (at == std::string::npos) return "";
    return section.substr(at, section.find("\r\n\r\n", at) - at);
}

// Wine names an adapter by its Linux interface and leaves out loopback.
TEST(NetworkAdapters, TheMachinesAdaptersWithTheirHardwareAndFirstIpv4Addresses) {
    std::string section = SectionText(WriteNetworkAdapterSection, false);
    std::istringstream links(RunLinuxCommand("PATH=$PATH:/usr/sbin:/sbin ip -o link"));
    std::istringstream addresses(RunLinuxCommand("PATH=$PATH:/usr/sbin:/sbin ip -o -4 addr"));
    std::map<std::string, std::string> firstIpv4;
    std::string line;
    while (std::getline(addresses, line)) {
        char name[64], address[64];
        if (sscanf(line.c_str(), "%*d: %63s inet %63[^/]", name, address) == 2) firstIpv4.insert({name, address});
    }
    int adapters = 0;
    while (std::getline(links, line)) {
        char name[64], mac[32];
        size_t ether = line.find("link/ether ");
        if (ether == std::string::npos || sscanf(line.c_str(), "%*d: %63[^:@]", name) != 1) continue;
        sscanf(line.c_str() + ether, "link/ether %31s", mac);
        for (char* c = mac; *c; ++c) *c = *c == ':' ? '-' : *c;
        ++adapters;
        std::string block = BlockOf(section, name);
        EXPECT_NE(std::string::npos, block.find(std::string("\r\nAdapter Addr  :") + mac + "\r\n")) << name << section;
        std::string ipv4 = firstIpv4.count(name) ? firstIpv4[name] : "0.0.0.0";
        EXPECT_NE(std::string::npos, block.find("\r\nIPv4 Address  :" + ipv4 + "\r\n")) << name << block;
    }
    ASSERT_LT(0, adapters) << "no adapter in `ip -o link`";
    size_t blocks = 0;
    for (size_t at = section.find("\r\nAdapter Name  :"); at != std::string::npos; at = section.find("\r\nAdapter Name  :", at + 1))
        ++blocks;
    EXPECT_EQ((size_t)adapters, blocks) << section;
}

// Recorded adapter lists answered as GetAdaptersInfo does: too small a
// buffer gets ERROR_BUFFER_OVERFLOW with the size needed.
struct AdapterReplay {
    std::vector<IP_ADAPTER_INFO> adapters;
    ULONG claimedSize;         // 0: the size the records take
    bool growsBetweenCalls;    // an adapter appears after the first call
    bool secondCallFails;
    int calls;
};
static AdapterReplay* Replay;

static DWORD WINAPI ReplayAdapterInfo(PIP_ADAPTER_INFO buffer, PULONG size) {
    ++Replay->calls;
    if (Replay->adapters.empty() || (Replay->secondCallFails && Replay->calls == 2)) return ERROR_NO_DATA;
    ULONG needed = Replay->claimedSize ? Replay->claimedSize : (ULONG)(Replay->adapters.size() * sizeof *buffer);
    if (*size < needed) {
        *size = needed;
        if (Replay->growsBetweenCalls) Replay->adapters.push_back(Replay->adapters.back());
        return ERROR_BUFFER_OVERFLOW;
    }
    for (size_t i = 0; i < Replay->adapters.size(); ++i) {
        buffer[i] = Replay->adapters[i];
        buffer[i].Next = i + 1 < Replay->adapters.size() ? &buffer[i + 1] : NULL;
    }
    return NO_ERROR;
}

static void SetAddress(IP_ADDR_STRING& entry, const char* address, const char* mask = "") {
    strcpy(entry.IpAddress.String, address);
    strcpy(entry.IpMask.String, mask);
}

static IP_ADDR_STRING SecondAddress;

// A wireless adapter with DHCP leases, WINS and two IPv4 addresses.
static IP_ADAPTER_INFO LeasedWireless() {
    IP_ADAPTER_INFO a = {};
    strcpy(a.AdapterName, "{6C1D7F3A-0000-4E1B-9D52-0A1B2C3D4E5F}");
    strcpy(a.Description, "Wireless LAN");
    const BYTE mac[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    a.AddressLength = sizeof mac;
    memcpy(a.Address, mac, sizeof mac);
    a.Index = 7;
    a.Type = 71;
    SetAddress(a.IpAddressList, "192.168.1.20", "255.255.255.0");
    SetAddress(SecondAddress, "192.168.1.21", "255.255.0.0");
    a.IpAddressList.Next = &SecondAddress;
    SetAddress(a.GatewayList, "192.168.1.1");
    a.DhcpEnabled = 1;
    SetAddress(a.DhcpServer, "192.168.1.254");
    a.LeaseObtained = 1341705600;  // 2012-07-08 00:00:00 UTC
    a.LeaseExpires = 1341705600 + 86400;
    a.HaveWins = 1;
    SetAddress(a.PrimaryWinsServer, "10.0.0.1");
    SetAddress(a.SecondaryWinsServer, "10.0.0.2");
    return a;
}

static IP_ADAPTER_INFO Plain(UINT type, UINT addressLength, bool dhcp) {
    IP_ADAPTER_INFO a = {};
    strcpy(a.AdapterName, "{B2}");
    strcpy(a.Description, "Plain");
    a.AddressLength = addressLength;
    for (UINT i = 0; i < sizeof a.Address; ++i) a.Address[i] = (BYTE)(i + 1);
    a.Index = 4294967295u;
    a.Type = type;
    SetAddress(a.IpAddressList, "10.1.2.3", "255.0.0.0");
    SetAddress(a.GatewayList, "10.0.0.1");
    a.DhcpEnabled = dhcp;
    SetAddress(a.DhcpServer, "10.0.0.9");
    return a;
}

static const char LeasedEnglish[] =
    "\r\nAdapter Name  :{6C1D7F3A-0000-4E1B-9D52-0A1B2C3D4E5F}\r\nAdapter Desc  :Wireless LAN"
    "\r\nAdapter Addr  :00-1a-2b-3c-4d-5e\r\nIndex         :7\r\nType          :Unknown"
    "\r\nIPv4 Address  :192.168.1.20\r\nIP Mask       :255.255.255.0\r\nGateway       :192.168.1.1"
    "\r\nDHCP Server   :192.168.1.254\r\n Lease Obtained:Sunday, July 8, 2012  9:00:00"
    "\r\n Lease Expires :Monday, July 9, 2012  9:00:00\r\nWINS          :Yes"
    "\r\n Primary Wins Server  :10.0.0.1\r\n Secondary Wins Server:10.0.0.2\r\n";

static const char LeasedJapanese[] =
    "\r\nアダプタID    :{6C1D7F3A-0000-4E1B-9D52-0A1B2C3D4E5F}\r\nアダプタ説明  :Wireless LAN"
    "\r\nMACアドレス   :00-1a-2b-3c-4d-5e\r\nアダプタIndex :7\r\nアダプタ種別  :Unknown"
    "\r\nIPv4アドレス  :192.168.1.20\r\nｻﾌﾞﾈｯﾄﾏｽｸ     :255.255.255.0\r\nﾃﾞﾌｫﾙﾄｹﾞｰﾄｳｪｲ :192.168.1.1"
    "\r\nDHCPサーバ    :192.168.1.254\r\n リース取得    :2012/ 7/ 8(日)  9:00:00"
    "\r\n リース有効期限:2012/ 7/ 9(月)  9:00:00\r\nWINS          :あり"
    "\r\n ﾌﾟﾗｲﾏﾘWINSｻｰﾊﾞ:10.0.0.1\r\n ｾｶﾝﾀﾞﾘWINSｻｰﾊﾞ:10.0.0.2\r\n";

static const char PlainTail[] =
    "\r\nIPv4 Address  :10.1.2.3\r\nIP Mask       :255.0.0.0\r\nGateway       :10.0.0.1";

class RecordedAdapters : public ::testing::Test {
protected:
    AdapterReplay replay = {};
    ScopedSwap<AdapterAccess> adapters{Adapters, {ReplayAdapterInfo}};
    void SetUp() override { Replay = &replay; }
    std::string Section(bool japanese = false) {
        replay.calls = 0;
        return SectionText(WriteNetworkAdapterSection, japanese);
    }
};

TEST_F(RecordedAdapters, EveryLineOfEachBlockAfterABufferOverflowRetry) {
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    ASSERT_EQ(-540, zone.Bias) << "the test runs with TZ=Asia/Tokyo";
    replay.adapters = {LeasedWireless(), Plain(MIB_IF_TYPE_LOOPBACK, 0, false), Plain(MIB_IF_TYPE_TOKENRING, 12, true)};
    std::string plainHead = "\r\nAdapter Name  :{B2}\r\nAdapter Desc  :Plain\r\nAdapter Addr  :";
    EXPECT_EQ(std::string("\r\n[Network Adapter]") + LeasedEnglish + plainHead +
                  "\r\nIndex         :4294967295\r\nType          :Lookback" + PlainTail +
                  "\r\nDHCP Server   :disabled\r\nWINS          :No\r\n" + plainHead +
                  "01-02-03-04-05-06-07-08\r\nIndex         :4294967295\r\nType          :Token Ring" + PlainTail +
                  "\r\nDHCP Server   :10.0.0.9\r\nWINS          :No\r\n",
              Section());
    EXPECT_EQ(2, replay.calls);
    replay.adapters.resize(1);
    EXPECT_EQ(std::string("\r\n[ネットワークアダプタ]") + LeasedJapanese, Section(true));
}

TEST_F(RecordedAdapters, TheSecondCallDecidesAndFailuresGiveTheFailureText) {
    replay.adapters = {Plain(6, 6, false)};
    EXPECT_NE(std::string::npos, Section().find("\r\nAdapter Desc  :Plain\r\n"));
    EXPECT_EQ(2, replay.calls) << "called again though the first call fitted";

    const char failed[] = "\r\n[Network Adapter]\r\nCall to GetAdaptersInfo failed.\r\n";
    replay.secondCallFails = true;
    EXPECT_EQ(failed, Section());
    replay.secondCallFails = false;
    replay.claimedSize = 0xFFFFFFF0u;  // the second block cannot be had
    EXPECT_EQ(failed, Section());
    EXPECT_EQ(1, replay.calls);
    replay.claimedSize = 0;
    replay.growsBetweenCalls = true;
    replay.adapters = {Plain(6, 6, false), Plain(6, 6, false)};
    EXPECT_EQ(failed, Section()) << "a list that grew between the calls is not read";
    replay.adapters.clear();
    EXPECT_EQ(failed, Section()) << "no adapters";
    EXPECT_EQ("\r\n[ネットワークアダプタ]\r\n情報取得失敗\r\n", Section(true));
}

TEST(LeaseTimes, SecondsSince1970BecomeFileTimes) {
    struct {
        int32_t seconds;
        uint64_t fileTime;
    } cases[] = {{1341705600, 129861792000000000ULL}, {0, 116444736000000000ULL}, {-1, 116444735990000000ULL},
                 {INT32_MAX, 137919572470000000ULL}};
    for (auto& c : cases) {
        FILETIME fileTime;
        SecondsToFileTime(c.seconds, &fileTime);
        EXPECT_EQ(c.fileTime, (uint64_t)fileTime.dwHighDateTime << 32 | fileTime.dwLowDateTime) << c.seconds;
    }
}
