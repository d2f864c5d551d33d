#include "cache_files/descriptions.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::tools;

namespace {

constexpr const char* kTwo = R"({
  "7-Zip": {"en": "An archiver.", "ru": "Архиватор."},
  "AIMP": {"ru": "Проигрыватель.", "en": "A player."}
})";

} // namespace

TEST(DescriptionsTest, ReadsTheTextsInTheFilesOrder) {
    const TDescriptions descriptions = ParseDescriptions(kTwo);
    ASSERT_EQ(descriptions.size(), 2u);
    EXPECT_EQ(descriptions[0].first, "7-Zip");
    EXPECT_EQ(descriptions[0].second.En, "An archiver.");
    EXPECT_EQ(descriptions[0].second.Ru, "Архиватор.");
    EXPECT_EQ(descriptions[1].first, "AIMP");
    EXPECT_EQ(descriptions[1].second.Ru, "Проигрыватель.");
    EXPECT_TRUE(ParseDescriptions("{}").empty());
}

TEST(DescriptionsTest, MalformedSourcesAreRefusedWithTheReason) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "not JSON"},
        {"[]", "not a JSON object"},
        {R"({"A": "text"})", "'A' is not an object"},
        {R"({"A": {"en": "x"}})", "'A' has no text \"ru\""},
        {R"({"A": {"en": 1, "ru": "x"}})", "'A' has no text \"en\""},
        {R"({"A": {"en": "x", "ru": "y", "de": "z"}})", "unknown member \"de\""},
        {R"({"A": {"en": "x", "ru": "y"}, "A": {"en": "x", "ru": "y"}})", "'A' is described twice"},
        {std::string(100, '[') + std::string(100, ']'), "nested deeper"},
    };
    for (const auto& [json, reason] : cases) {
        try {
            ParseDescriptions(json);
            ADD_FAILURE() << json;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
    }
    // Cut anywhere, the source is refused, never read in part.
    const std::string whole = kTwo;
    for (std::size_t length = 0; length + 1 < whole.size(); ++length) {
        EXPECT_THROW(ParseDescriptions(whole.substr(0, length)), std::runtime_error) << length;
    }
}

TEST(DescriptionsTest, FilesThatCannotBeReadNameTheFile) {
    test::TTempDir dir;
    dir.Write("good.json", kTwo);
    EXPECT_EQ(ReadDescriptions(dir / "good.json").size(), 2u);
    std::filesystem::resize_file(dir.Write("huge.json", "{"), 17 * 1024 * 1024);
    for (const auto& [file, reason] : {std::pair("missing.json", "no such file"),
                                       std::pair("huge.json", "larger than 16 MiB")}) {
        try {
            ReadDescriptions(dir / file);
            ADD_FAILURE() << file;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
    }
}
