// Japanese literals must reach the program as code page 932 bytes. These
// are the characters the compiler's conversion most easily gets wrong.
#include <gtest/gtest.h>

#include <cstring>

struct LiteralBytes {
    const char* literal;
    const char* cp932;
};

TEST(Charset, TrickyLiteralsBecomeCodePage932) {
    const LiteralBytes cases[] = {
        {"ﾌｨｰﾄﾞﾊﾞｯｸ", "\xCC\xA8\xB0\xC4\xDE\xCA\xDE\xAF\xB8"},  // half-width kana, one byte each
        {"表", "\x95\x5C"},      // second byte is a backslash
        {"ソ", "\x83\x5C"},
        {"ソフト", "\x83\x5C\x83\x74\x83\x67"},
        {"～", "\x81\x60"},      // full-width tilde, as in "1～2147483"
        {"β", "\x83\xC0"},
        {"α", "\x83\xBF"},
        {"常駐解除しました。", "\x8F\xED\x92\x93\x89\xF0\x8F\x9C\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42"},
    };
    for (const LiteralBytes& c : cases) {
        EXPECT_EQ(strlen(c.cp932), strlen(c.literal)) << c.cp932;
        EXPECT_EQ(0, memcmp(c.cp932, c.literal, strlen(c.cp932) + 1)) << c.cp932;
    }
}
