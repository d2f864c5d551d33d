#include "catalogue/software_types.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(SoftwareTypesTest, CategoryTextsInBothLanguages) {
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

TEST(SoftwareTypesTest, CategorySetUsesOneBitPerValue) {
    TSoftwareCategories set{scUnknown, scOffice};
    EXPECT_EQ(set.Bits(), (1u << 0) | (1u << 6));
    set.Exclude(scUnknown);
    set.Include(static_cast<TSoftwareCategory>(12)); // not a category: no effect
    EXPECT_EQ(set.Bits(), 1u << 6);
    EXPECT_TRUE(set.Contains(scOffice));
    EXPECT_FALSE(set.Contains(scSystem));
    EXPECT_EQ(TSoftwareCategories::All().Bits(), 0x1FFu);
}
