// Run on a display of two screens joined by Xinerama, which Wine presents
// as two monitors: each gets its line, and only the primary its mark.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "envreport/os/session_section.h"
#include "tests/support/report_section.h"

static int CountOf(const std::string& text, const std::string& piece) {
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

TEST(TwoMonitors, OneLineEachAndOnlyThePrimaryMarked) {
    ASSERT_EQ(2, GetSystemMetrics(SM_CMONITORS)) << "the display should have two screens";
    std::string text = SectionText(WriteSessionSection);
    EXPECT_EQ(2, CountOf(text, "\r\n Monitor Info : ("));
    EXPECT_EQ(1, CountOf(text, "*primary"));
    EXPECT_EQ(" (0,0)-(1024,768) [Workarea (0,0)-(1024,768)] *primary", LineAfter(text, " Monitor Info :"));
    EXPECT_NE(std::string::npos, text.find("\r\n Monitor Info : (0,0)-(800,600) [Workarea (0,0)-(800,600)]\r\n"));
    EXPECT_EQ("(0,0)-(1024,768) [Monitors:2]", LineAfter(text, "Virtual Screen:"));

    std::string japanese = SectionText(WriteSessionSection, true);
    EXPECT_EQ(2, CountOf(japanese, "\r\n モニタ情報   : ("));
    EXPECT_EQ(1, CountOf(japanese, " *プライマリ"));
}
