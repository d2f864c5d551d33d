#include "app/localization.h"
#include "app/settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;

// Without a stored language the locale's decides: LC_ALL, else LC_MESSAGES, else LANG.
TEST(LocalizationLocaleTest, StartLanguageComesFromTheSettingsElseTheLocale) {
    struct Case {
        const char* stored; // file content, or none
        const char* lcAll;
        const char* lang;
        TLanguage expected;
    };
    const Case cases[] = {
        {nullptr, "ru_RU.UTF-8", nullptr, lRussian},
        {nullptr, nullptr, "ru_UA", lRussian},
        {nullptr, "de_DE.UTF-8", "ru_RU", lEnglish}, // LC_ALL comes first
        {nullptr, nullptr, nullptr, lEnglish},
        {nullptr, "C", nullptr, lEnglish},
        {R"({"Language":2})", "en_US.UTF-8", nullptr, lRussian},
        {R"({"Language":1})", "ru_RU.UTF-8", nullptr, lEnglish},
        {R"({"Language":"ru"})", "ru_RU", nullptr, lRussian}, // not a number: from the locale
        {R"({"Language":"en"})", "de_DE", nullptr, lEnglish},
    };
    const test::TTempDir dir;
    const auto file = dir / "Config.dat";
    for (const auto& c : cases) {
        const test::TScopedEnv lcAll("LC_ALL", c.lcAll);
        const test::TScopedEnv lcMessages("LC_MESSAGES", nullptr);
        const test::TScopedEnv lang("LANG", c.lang);
        std::filesystem::remove(file);
        if (c.stored != nullptr) {
            dir.Write("Config.dat", c.stored);
        }
        InitLocalization(TConfig(file));
        EXPECT_EQ(CurrentLanguage, c.expected) << (c.stored ? c.stored : "") << " " << c.lcAll;
    }
}
