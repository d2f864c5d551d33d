#include "net/code_page.h"

#include <gtest/gtest.h>

using namespace brivane::net;

TEST(CodePageTest, KnowsTheCharsetsServersDeclare) {
    const std::pair<const char*, int> cases[] = {
        {"UTF-8", 65001},
        {" utf8 ", 65001},
        {"windows-1251", 1251},
        {"CP1251", 1251},
        {"koi8-r", 20866},
        {"KOI8-U", 21866},
        {"iso-8859-1", 28591},
        {"latin1", 28591},
        {"ISO-8859-5", 28595},
        {"us-ascii", 20127},
        {"Shift_JIS", 932},
        {"gb2312", 936},
        {"GB18030", 54936},
        {"big5", 950},
        {"euc-kr", 51949},
        {"windows-1252", 1252},
        {"ibm866", 866},
        {"utf-16", 1200},
        {"", 0},
        {"no-such-charset", 0},
        {"utf-8x", 0},
    };
    for (const auto& [name, codePage] : cases) {
        EXPECT_EQ(CodePageOfCharset(name), codePage) << name;
    }
}

TEST(CodePageTest, ConvertsToUtf8) {
    EXPECT_EQ(DecodeCodePage("\xCF\xF0\xE8\xE2\xE5\xF2", 1251), "Привет");
    EXPECT_EQ(DecodeCodePage("\xF0\xD2\xC9\xD7\xC5\xD4", 20866), "Привет");
    EXPECT_EQ(DecodeCodePage("caf\xE9", 28591), "café");
    EXPECT_EQ(DecodeCodePage(std::string_view("\x41\x00\x1F\x04", 4), 1200), "AП");
    EXPECT_EQ(DecodeCodePage(std::string_view("\x04\x1F\x00\x41", 4), 1201), "ПA");
    EXPECT_EQ(DecodeCodePage(std::string_view("\x41\x00\x00\x00\x00\xF6\x01\x00", 8), 12000),
              "A\xF0\x9F\x98\x80");                         // beyond the 16-bit plane
    EXPECT_EQ(DecodeCodePage("a\x85", 28591), "a\xC2\x85"); // a C1 control in ISO 8859
    EXPECT_EQ(DecodeCodePage("Привет", 65001), "Привет");
    EXPECT_EQ(DecodeCodePage("", 1251), "");
}

TEST(CodePageTest, ReplacesInvalidSequences) {
    EXPECT_EQ(DecodeCodePage("a\xFF"
                             "b",
                             65001),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(DecodeCodePage("a\x98"
                             "b",
                             1251),
              "a\xEF\xBF\xBD"
              "b");                                                   // undefined in 1251
    EXPECT_EQ(DecodeCodePage("\x82\xA0\x82", 932), "あ\xEF\xBF\xBD"); // cut-off pair
    EXPECT_EQ(DecodeCodePage("a\x81", 1252), "a\xEF\xBF\xBD");        // undefined in 1252
    EXPECT_EQ(DecodeCodePage(std::string_view("\x41\x00\x42", 3), 1200),
              "A\xEF\xBF\xBD"); // half a unit at the end
}

TEST(CodePageTest, UnknownCodePageIsAnError) {
    EXPECT_THROW(DecodeCodePage("x", 12345), ECodePageError);
    EXPECT_THROW(DecodeCodePage("x", 0), ECodePageError);
}
