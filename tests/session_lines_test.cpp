// The memory, keyboard, name and uptime lines with the real Wine session,
// checked against what the machine itself says.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <regex>
#include <string>

#include "common/session_access.h"
#include "envreport/os/session_section.h"
#include "envreport/report_text.h"
#include "tests/support/linux_tools.h"
#include "tests/support/remote_session.h"
#include "tests/support/report_section.h"
#include "tests/support/scoped_swap.h"

static std::string Trimmed(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

TEST(SessionLines, MemoryCountsRightAlignedWithMegabytes) {
    std::string text = SectionText(WriteSessionSection);
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    const std::regex amounts("([ 0-9,]{14}) /([ 0-9,]{14}) bytes \\(([ 0-9]{5})/([ 0-9]{5})MB\\)");
    struct {
        const char* label;
        DWORDLONG total;
    } lines[] = {{"Physical Mem. :", memory.ullTotalPhys},
                 {"Page File     :", memory.ullTotalPageFile},
                 {"Virtual Memory:", memory.ullTotalVirtual}};
    for (const auto& line : lines) {
        std::string value = LineAfter(text, line.label);
        std::smatch m;
        ASSERT_TRUE(std::regex_match(value, m, amounts)) << value;
        // Totals do not move between the two readings; free memory may.
        std::string total = FormatThousands(line.total);
        EXPECT_EQ(std::string(14 - total.size(), ' ') + total, m[2].str()) << value;
        EXPECT_EQ(line.total >> 20, std::stoull(m[4].str())) << value;
    }
    // An emulated 32-bit sysinfo cuts the total to 32 bits, so Wine's load
    // can leave 0-100 there; the width is checked where the load is real.
    if (memory.dwMemoryLoad <= 100) {
        EXPECT_TRUE(std::regex_match(LineAfter(text, "Memory Used   :"), std::regex("[ 0-9]{2}[0-9]%")));
    }
}

// What Wine cannot be made to be, played through the session: an uptime,
// and a remote session, which the nudge reads from the same metric.
TEST(SessionLines, UptimeAndRemoteSessionAsTheSessionTellsThem) {
    static DWORD ticks;
    ScopedSwap<SessionAccess> session(Session, WithFakeRemoteSession());
    Session.getTickCount = []() -> DWORD WINAPI { return ticks; };
    struct {
        DWORD ticks;
        int remote;
        const char* english;
        const char* japanese;
    } cases[] = {
        {90061001, 1, "90061001 milliseconds (1 day(s) 1:01:01.001)", "90061001ミリ秒 (1日 1:01:01.001)"},
        {999, 0, "999 milliseconds (0 day(s) 0:00:00.999)", "999ミリ秒 (0日 0:00:00.999)"},
        {0xFFFFFFFF, 0x8000, "4294967295 milliseconds (49 day(s) 17:02:47.295)", "4294967295ミリ秒 (49日17:02:47.295)"},
    };
    for (const auto& c : cases) {
        ticks = c.ticks;
        FakeRemoteSession = c.remote;
        std::string english = SectionText(WriteSessionSection);
        std::string japanese = SectionText(WriteSessionSection, true);
        EXPECT_EQ(c.english, LineAfter(english, "GetTickCount  :"));
        EXPECT_EQ(c.japanese, LineAfter(japanese, "起動経過時間  :"));
        EXPECT_EQ(c.remote ? "1" : "0", LineAfter(english, "Remote Session:")) << c.remote;
        EXPECT_EQ(c.remote ? "1" : "0", LineAfter(japanese, "リモート接続中:")) << c.remote;
    }
}

TEST(SessionLines, KeyboardNamesAndFlagsAsTheSessionHasThem) {
    std::string text = SectionText(WriteSessionSection);
    // Wine's keyboard is the enhanced one; it reports 12 function keys as
    // the count itself, which the table does not know.
    ASSERT_EQ(4, GetKeyboardType(0));
    ASSERT_EQ(12, GetKeyboardType(2));
    EXPECT_EQ("IBM enhanced (101- or 102-key) keyboard  SubType:0000h  function keys:12",
              LineAfter(text, "Keyboard Type :"));
    EXPECT_EQ("IBM 拡張キーボード(101または102キー)  サブタイプ:0000h  ファンクションキー:12",
              LineAfter(SectionText(WriteSessionSection, true), "キーボード    :"));

    // Wine names the machine after the host, in capitals and at most 15
    // characters, and the user after the Unix account.
    std::string host = Trimmed(RunLinuxCommand("hostname -s"));
    std::transform(host.begin(), host.end(), host.begin(), ::toupper);
    EXPECT_EQ(host.substr(0, 15), LineAfter(text, "Machine Name  :"));
    EXPECT_EQ(Trimmed(RunLinuxCommand("id -un")), LineAfter(text, "User Name     :"));
    EXPECT_EQ(host.substr(0, 15), LineAfter(text, "Domain Name   :"));

    EXPECT_EQ("0", LineAfter(text, "Remote Session:"));
    EXPECT_EQ("0", LineAfter(text, "Slow Machine  :"));
    EXPECT_EQ("1", LineAfter(text, "Network       :"));
    // Wine's X11 pointer: three buttons and a wheel.
    EXPECT_EQ("3(Mouse Wheel is installed)", LineAfter(text, "Mouse Buttons :"));
}

TEST(SessionLines, SwappedButtonsJoinTheCountWithoutSeparators) {
    SwapMouseButton(TRUE);
    std::string mouse = LineAfter(SectionText(WriteSessionSection), "Mouse Buttons :");
    std::string japanese = LineAfter(SectionText(WriteSessionSection, true), "マウスボタン数:");
    SwapMouseButton(FALSE);
    EXPECT_EQ("3(the left and right mouse buttons are swapped)(Mouse Wheel is installed)", mouse);
    EXPECT_EQ("3(左右ボタン交換)(マウスホイール有り)", japanese);
}

TEST(SessionLines, ScreenAndTheOneMonitorOfTheTestDisplay) {
    std::string text = SectionText(WriteSessionSection);
    EXPECT_EQ("1024x768 (32bpp) [Work Area (0,0)-(1024,768)]", LineAfter(text, "Screen        :"));
    EXPECT_EQ("(0,0)-(1024,768) [Monitors:1]", LineAfter(text, "Virtual Screen:"));
    EXPECT_EQ(" (0,0)-(1024,768) [Workarea (0,0)-(1024,768)] *primary", LineAfter(text, " Monitor Info :"));
    std::string japanese = SectionText(WriteSessionSection, true);
    EXPECT_EQ("1024x768 (32bpp) [作業領域 (0,0)-(1024,768)]", LineAfter(japanese, "画面          :"));
    EXPECT_EQ("(0,0)-(1024,768) [画面数:1]", LineAfter(japanese, "仮想画面      :"));
    EXPECT_EQ(" (0,0)-(1024,768) [作業領域 (0,0)-(1024,768)] *プライマリ", LineAfter(japanese, " モニタ情報   :"));
}
