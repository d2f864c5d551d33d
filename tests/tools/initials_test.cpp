#include "base/unicode.h"
#include "cache_files/initials.h"
#include "cache_files/static_cache.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

using namespace brivane;
using namespace brivane::tools;

TEST(InitialsTest, TheRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"VLC media player", "VL"}, // an acronym first gives two of its letters
        {"GIMP", "GI"},
        {"BS.Player FREE", "BS"},
        {"CCleaner", "CC"}, // a capital inside the first word
        {"FileZilla Client", "FZ"},
        {"qBittorrent", "QB"},
        {"7-Zip", "7Z"}, // two words
        {"Mozilla Firefox", "MF"},
        {"Paint.NET", "PN"},
        {"Skype", "Sk"}, // one plain word
        {"foobar2000", "Fo"},
        {"X", "X"},
        {"Яндекс Браузер", "ЯБ"}, // Cyrillic names fold their case too
        {"ёлка", "Ёл"},
        {"  (Beta) ", "Be"},
        {"", ""},
        {"+++", ""},
    };
    for (const auto& [name, initials] : cases) {
        EXPECT_EQ(InitialsByRule(name), initials) << name;
    }
}

TEST(InitialsTest, TheTableOverridesTheRule) {
    EXPECT_EQ(InitialsByRule("K-Lite Mega"), "KL");
    EXPECT_EQ(Initials("K-Lite Mega"), "KM");
    EXPECT_EQ(Initials("VLC media player"), "VL"); // no override: the rule
}

// Tiles of one category share a colour, so the letters must tell them apart.
TEST(InitialsTest, EveryCatalogueProgramHasOneOrTwoLettersOfItsOwnInItsCategory) {
    std::map<std::pair<TSoftwareCategory, std::string>, std::string> seen;
    for (const TCatalogueProgram& program : CataloguePrograms()) {
        const std::string initials = Initials(program.Name);
        const std::size_t letters = Utf8ToUtf16(initials).size();
        EXPECT_TRUE(letters == 1 || letters == 2) << program.Name << ": " << initials;
        const auto [it, added] = seen.emplace(std::pair(program.Category, initials), program.Name);
        EXPECT_TRUE(added) << program.Name << " and " << it->second << " are both " << initials;
    }
    EXPECT_EQ(seen.size(), 160u);
}
