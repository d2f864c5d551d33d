#include "base/unicode.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(UnicodeTest, RoundTripsBmpAndSupplementaryText) {
    const std::string text = "7-Zip Файл 😀 ü";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 15u); // the emoji takes two code units
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(UnicodeTest, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        std::string input;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\xC3", u"a\uFFFD"},         // truncated two-byte sequence
        {"\xE2\x82", u"\uFFFD\uFFFD"}, // truncated three-byte sequence
        {"\xC0\xAF", u"\uFFFD"},       // overlong encoding of '/'
        {"\xED\xA0\x80", u"\uFFFD"},   // encoded surrogate
        {"\xFF", u"\uFFFD"},           // invalid lead byte
        {"\x80x", u"\uFFFDx"},         // stray continuation byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.input), c.expected) << c.input;
    }
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(UnicodeTest, LongAsciiRunsAroundOtherSequences) {
    // ASCII is converted in blocks; every alignment of the other sequences must survive.
    for (std::size_t run = 0; run <= 17; ++run) {
        const std::string ascii(run, 'a');
        const std::string text = ascii + "Ж" + ascii + "😀" + ascii + "\xC3" + ascii;
        const std::u16string units = Utf8ToUtf16(text);
        const std::u16string wide(run, u'a');
        EXPECT_EQ(units, wide + u"Ж" + wide + u"😀" + wide + u"\uFFFD" + wide) << run;
    }
}

TEST(UnicodeTest, CaseFoldingCoversLatinAndCyrillic) {
    EXPECT_TRUE(SameText("Mozilla Firefox", "MOZILLA firefox"));
    EXPECT_TRUE(SameText("Яндекс.Браузер", "яндекс.браузер"));
    EXPECT_TRUE(SameText("Ёлка ЇЄ", "ёлка їє"));
    EXPECT_TRUE(SameText("ÄÖÜ Ž", "äöü ž"));
    EXPECT_FALSE(SameText("Opera", "Opera "));
    EXPECT_EQ(LowerCase("ПРИВЕТ World"), "привет world");
    EXPECT_EQ(UpperCase("привет world"), "ПРИВЕТ WORLD");
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
}
