#include "core/globals.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(GlobalsTest, CategoryTextsInBothLanguages) {
    struct Case {
        int category;
        TLanguage language;
        const char* text;
    };
    const Case cases[] = {
        {scUnknown, lEnglish, "None"}, // not "Unknown"
        {scUnknown, lRussian, "Нет категории"},
        {scInternetNetwork, lEnglish, "Internet and Network"},
        {scOffice, lRussian, "Документы и Офис"},
        {scScienceEducation, lDefault, "Science and Education"},
        {scScienceEducation, lRussian, "Наука и Образование"},
        {9, lEnglish, "Unknown"},
        {255, lRussian, "Неизвестно"},
        {scGraphics, static_cast<TLanguage>(7), "Graphics"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CategoryToString(static_cast<TSoftwareCategory>(c.category), c.language), c.text)
            << c.category << "/" << int(c.language);
    }
}

TEST(GlobalsTest, LanguageCodes) {
    EXPECT_EQ(LanguageToCode(lRussian), "ru");
    EXPECT_EQ(LanguageToCode(lEnglish), "en");
    EXPECT_EQ(LanguageToCode(lDefault), "en");
    for (const char* russian : {"ru", "RU", "rU"}) {
        EXPECT_EQ(CodeToLanguage(russian), lRussian) << russian;
    }
    for (const char* other : {"en", "", "de", "rus", " ru"}) {
        EXPECT_EQ(CodeToLanguage(other), lEnglish) << other;
    }
}

TEST(GlobalsTest, CategorySetUsesOneBitPerValue) {
    TSoftwareCategories set{scUnknown, scOffice};
    EXPECT_EQ(set.Bits(), (1u << 0) | (1u << 6));
    set.Exclude(scUnknown);
    set.Include(static_cast<TSoftwareCategory>(12)); // not a category: no effect
    EXPECT_EQ(set.Bits(), 1u << 6);
    EXPECT_TRUE(set.Contains(scOffice));
    EXPECT_FALSE(set.Contains(scSystem));
    EXPECT_EQ(TSoftwareCategories::All().Bits(), 0x1FFu);
}

TEST(GlobalsTest, DataFoldersFollowTheEnvironment) {
    test::TTempDir dir;
    const test::TScopedEnv xdg("XDG_DATA_HOME", dir.Path().c_str());
    {
        const test::TScopedEnv appData("APPDATA", nullptr);
        EXPECT_EQ(GetAppDataFolder(), dir.Path() / "Brivane" / "");
        EXPECT_EQ(GetDownloadsFolder(), dir.Path() / "Brivane" / "Downloads" / "");
    }
    const test::TScopedEnv appData("APPDATA", "/elsewhere");
    EXPECT_EQ(GetAppDataFolder(), dir.Path() / "Brivane" / "");
    EXPECT_EQ(GetDownloadsFolder(), std::filesystem::path("/elsewhere/Brivane/Downloads/"));
}
