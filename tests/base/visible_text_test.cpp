#include "base/visible_text.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace std::string_literals;

TEST(VisibleTextTest, ControlCharactersBecomeVisibleEscapes) {
    const struct {
        std::string Text;
        std::string Visible;
        std::string Lines; // VisibleLines
    } cases[] = {
        {"plain C:\\Program Files\\7-Zip", "plain C:\\Program Files\\7-Zip",
         "plain C:\\Program Files\\7-Zip"},
        {"Телеграм ✓ 𝄞", "Телеграм ✓ 𝄞", "Телеграм ✓ 𝄞"},
        {"a\nb\tc\r\nd\re", "a\\nb\\tc\\r\\nd\\re", "a\nb\tc\r\nd\\re"},
        {"\x1B[2J\x1B]0;title\x07", "\\x1B[2J\\x1B]0;title\\x07", "\\x1B[2J\\x1B]0;title\\x07"},
        {"nul\0del\x7F"s, "nul\\x00del\\x7F", "nul\\x00del\\x7F"},
        // C1 controls: U+009B is a one-character CSI to some terminals.
        {"\xC2\x9B"
         "31m\xC2\x85",
         "\\u009B31m\\u0085", "\\u009B31m\\u0085"},
        // Bytes that are not UTF-8, and a real replacement character.
        {"\x9B\xFF\xC3", "\\x9B\\xFF\\xC3", "\\x9B\\xFF\\xC3"},
        {"\xC0\xAF \xEF\xBF\xBD", "\\xC0\\xAF \xEF\xBF\xBD", "\\xC0\\xAF \xEF\xBF\xBD"},
        {"", "", ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(VisibleText(test.Text), test.Visible) << test.Visible;
        EXPECT_EQ(VisibleLines(test.Text), test.Lines) << test.Visible;
    }
}
