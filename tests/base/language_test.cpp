#include "base/language.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(LanguageTest, LanguageCodes) {
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
