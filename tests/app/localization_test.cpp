#include "app/localization.h"
#include "app/settings.h"
#include "platform/locale.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

using namespace brivane;

namespace {

class LocalizationTest : public ::testing::Test {
protected:
    void SetUp() override { InitLocalization(TConfig(fDir / "Config.dat")); }

    test::TTempDir fDir;
};

} // namespace

TEST_F(LocalizationTest, BothLanguagesHaveExactlyTheBuiltInKeys) {
    const std::set<std::string> expected = {"checkupdate",
                                            "updates",
                                            "actuals",
                                            "library",
                                            "sizeofupdates",
                                            "sizeofselected",
                                            "install",
                                            "filtercomment",
                                            "welcome",
                                            "downloading",
                                            "prognotsmaller",
                                            "prognotsel",
                                            "progsizeunk",
                                            "updnotsmaller",
                                            "updsize",
                                            "updnotsel",
                                            "updsizeunk",
                                            "filterdis",
                                            "search",
                                            "showbeta",
                                            "showshare",
                                            "animate",
                                            "checkforupdate",
                                            "cancel",
                                            "installing",
                                            "actinst",
                                            "veravail",
                                            "veravailfrom",
                                            "to",
                                            "from",
                                            "gc.initdownload",
                                            "gc.downloaded",
                                            "gc.installprogress",
                                            "gc.searchinstalled",
                                            "gc.listupdating",
                                            "gc.from",
                                            "gc.installcancel",
                                            "gc.downloadcancel",
                                            "gc.retrievinglinks",
                                            "gc.retrievinglinkscancel",
                                            "au.updateavailable",
                                            "au.installupdate",
                                            "au.cancel",
                                            "au.checking",
                                            "au.preparing",
                                            "au.downloading",
                                            "au.backuping",
                                            "au.restoring",
                                            "au.unpacking",
                                            "au.completed",
                                            "au.canceled",
                                            "au.error"};
    ASSERT_EQ(expected.size(), 52u);
    std::set<std::string> keys;
    for (const auto& translation : BuiltInTranslations()) {
        keys.emplace(translation.Key);
    }
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(BuiltInTranslations().size(), 52u); // no key twice
    for (const auto& key : expected) {
        EXPECT_NE(Localize(key, lRussian), "") << key;
        EXPECT_NE(Localize(key, lEnglish), "") << key;
    }
}

TEST_F(LocalizationTest, LooksUpByKeyInAnyCaseWithoutFallback) {
    EXPECT_EQ(Localize("GC.From", lRussian), "из");
    EXPECT_EQ(Localize("gc.from", lEnglish), "from");
    EXPECT_EQ(Localize("showbeta", lEnglish), "Allow  beta-versions");
    EXPECT_EQ(Localize("filtercomment", lEnglish), "\"Backspace\" for disable filtering");
    EXPECT_EQ(Localize("au.completed", lRussian),
              "Обновление завершено. Программа будет перезапущена через %u сек.");
    EXPECT_EQ(Localize("no.such.key", lEnglish), "");
    EXPECT_EQ(Localize("", lRussian), "");

    AddTranslation("OnlyRussian", "Только", lRussian);
    EXPECT_EQ(Localize("onlyrussian", lRussian), "Только");
    EXPECT_EQ(Localize("onlyrussian", lEnglish), "");
    EXPECT_THROW(AddTranslation("GC.FROM", "again", lRussian), std::logic_error);
    EXPECT_EQ(Localize("gc.from", lRussian), "из");
}

TEST_F(LocalizationTest, DefaultMeansTheCurrentLanguage) {
    struct Case {
        TLanguage current;
        const char* text;
    };
    const Case cases[] = {{lRussian, "Отмена"},
                          {lEnglish, "Cancel"},
                          {lDefault, "Cancel"},
                          {static_cast<TLanguage>(7), "Cancel"}};
    for (const auto& c : cases) {
        CurrentLanguage = c.current;
        EXPECT_EQ(Localize("cancel"), c.text) << int(c.current);
        EXPECT_EQ(Localize("cancel", lRussian), "Отмена");
    }
}

TEST_F(LocalizationTest, StartLanguageComesFromTheSettingsElseTheSystem) {
    // Whichever language the system has, a stored one is seen to win: both are stored.
    const TLanguage system = CodeToLanguage(platform::GetSystemLanguageCode());
    struct Case {
        const char* stored; // file content, or none
        TLanguage expected;
    };
    const Case cases[] = {
        {nullptr, system},
        {"{}", system},
        {R"({"Language":2})", lRussian},
        {R"({"Language":1})", lEnglish},
        {R"({"Language":258})", lRussian}, // kept in one byte
        {R"({"Language":0})", lDefault},
        {R"({"Language":"ru"})", system}, // not a number: from the system
        {R"({"Language":"en"})", system},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(fDir / "Config.dat");
        if (c.stored != nullptr) {
            fDir.Write("Config.dat", c.stored);
        }
        InitLocalization(TConfig(fDir / "Config.dat"));
        EXPECT_EQ(CurrentLanguage, c.expected) << (c.stored ? c.stored : "no file");
        EXPECT_EQ(Localize("gc.from", lEnglish), "from"); // the table is loaded afresh
    }
}

TEST_F(LocalizationTest, LookupsFromSeveralThreadsWhileTheLanguageChanges) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 200; ++i) {
                const std::string text = Localize("to");
                EXPECT_TRUE(text == "to" || text == "на") << text;
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        CurrentLanguage = (i % 2 == 0) ? lRussian : lEnglish;
    }
    for (auto& thread : threads) {
        thread.join();
    }
}
