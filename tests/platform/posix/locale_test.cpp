#include "platform/code_page.h"
#include "platform/locale.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(LocaleTest, SystemLanguageFollowsTheLocaleVariables) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        const char* code;
    };
    const Case cases[] = {
        {"ru_RU.UTF-8", "de_DE", "fr_FR", "ru"},
        {"", "de_DE@euro", "fr_FR", "de"}, // an empty variable counts as unset
        {nullptr, nullptr, "RU", "ru"},
        {nullptr, nullptr, "uk_UA.KOI8-U", "uk"},
        {"C", "ru_RU", nullptr, ""},
        {"POSIX", nullptr, nullptr, ""},
        {"C.UTF-8", nullptr, nullptr, ""},
        {"/etc/ru", nullptr, nullptr, ""},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        const test::TScopedEnv lcAll("LC_ALL", c.lcAll);
        const test::TScopedEnv lcMessages("LC_MESSAGES", c.lcMessages);
        const test::TScopedEnv lang("LANG", c.lang);
        EXPECT_EQ(platform::GetSystemLanguageCode(), c.code) << (c.lcAll ? c.lcAll : "-");
    }
}

TEST(LocaleTest, DecimalSeparatorOfTheCLocaleIsAPoint) {
    const test::TScopedEnv lcAll("LC_ALL", "C");
    EXPECT_EQ(platform::GetDecimalSeparator(), ".");
    const test::TScopedEnv missing("LC_ALL", "xx_NOWHERE.UTF-8");
    EXPECT_EQ(platform::GetDecimalSeparator(), ".");
}

TEST(CodePageTest, AnsiTextBecomesUtf8WithoutLosses) {
    struct Case {
        const char* bytes;
        const char* text;
    };
    const Case cases[] = {
        {"", ""},
        {"plain ASCII", "plain ASCII"},
        {"Привет", "Привет"},                     // UTF-8 already
        {"caf\xE9 \x80 \x99 \xFF", "café € ™ ÿ"}, // Windows-1252
        {"\x81\x8D", "\xC2\x81\xC2\x8D"},         // unassigned bytes keep their code points
        {"\xD0", "Ð"},                            // a cut UTF-8 sequence is not UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::AnsiToUtf8(c.bytes), c.text) << c.bytes;
    }
}
