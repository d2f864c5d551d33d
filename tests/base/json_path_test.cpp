#include "base/json_depth.h"
#include "base/json_path.h"

#include <gtest/gtest.h>

using namespace brivane;

TEST(JsonPathTest, MembersByDottedPathAsText) {
    const auto document = ParseJson(R"({
        "version": "2.4.1",
        "build": 1027,
        "ratio": 1.5,
        "stable": true,
        "nothing": null,
        "package_info": {"version": "3.0", "inner": {"name": "x"}},
        "url": "https://example.com/",
        "list": [1, 2],
        "a.b": "dotted name"
    })");
    ASSERT_TRUE(document);
    const std::pair<const char*, const char*> cases[] = {
        {"version", "2.4.1"},
        {"build", "1027"},
        {"ratio", "1.5"},
        {"stable", "true"},
        {"nothing", ""},
        {"missing", ""},
        {"package_info.version", "3.0"},
        {"package_info.inner.name", "x"},
        {"package_info.missing", ""},
        {"url.install", ""}, // a text has no members
        {"nothing.deeper", ""},
        {"a.b", ""},     // a path never names a member whose name has a dot
        {"Version", ""}, // names compare exactly
        {"version.", ""},
        {".version", ""},
    };
    for (const auto& [path, text] : cases) {
        EXPECT_EQ(JsonText(*document, path), text) << path;
    }
}

TEST(JsonPathTest, ObjectsAndArraysAreNoText) {
    const auto document = ParseJson(R"({"url": {"install": "x"}, "list": [1], "deep": {"o": {}}})");
    ASSERT_TRUE(document);
    for (const char* path : {"url", "list", "deep.o", ""}) {
        EXPECT_THROW(JsonText(*document, path), EJsonPathError) << path;
    }
}

TEST(JsonPathTest, FindsMembersOfAnyKind) {
    const auto document = ParseJson(R"({"url": {"install": "x"}})");
    ASSERT_TRUE(document);
    const nlohmann::json* url = FindJsonMember(*document, "url");
    ASSERT_NE(url, nullptr);
    EXPECT_TRUE(url->is_object());
    EXPECT_EQ(FindJsonMember(*document, ""), &*document);
    EXPECT_EQ(FindJsonMember(*document, "url.install.more"), nullptr);
    EXPECT_EQ(JsonText(*url, "install"), "x");
}

TEST(JsonPathTest, TextThatIsNotJsonGivesNoDocument) {
    for (const char* text : {"", "   ", "{", R"({"version": "1.0")", R"({"version": 1.0,})",
                             "<html><body>Not found</body></html>", "{'version': '1'}",
                             R"({"version": "1.0"} trailing)", "\xEF\xBB\xBF{}x"}) {
        EXPECT_FALSE(ParseJson(text)) << text;
    }
}

TEST(JsonPathTest, ScalarDocumentsHaveNoMembers) {
    for (const char* text : {R"("1.0")", "5", "null", "[]", R"([{"version": "1"}])"}) {
        const auto document = ParseJson(text);
        ASSERT_TRUE(document) << text;
        EXPECT_EQ(JsonText(*document, "version"), "") << text;
    }
}

TEST(JsonPathTest, NestingDeeperThanTheLimitIsRefusedBeforeParsing) {
    const auto nested = [](std::size_t aDepth, char aOpen, char aClose, std::string aInside = "") {
        return std::string(aDepth, aOpen) + aInside + std::string(aDepth, aClose);
    };
    const std::string quoted = R"("[[[{\"[")"; // brackets in a string do not count
    const struct {
        std::string Text;
        bool Parses;
    } cases[] = {
        {nested(kMaxJsonDepth, '[', ']'), true},
        {nested(kMaxJsonDepth, '[', ']', quoted), true},
        {"{\"a\":" + nested(kMaxJsonDepth - 1, '[', ']') + "}", true},
        {nested(kMaxJsonDepth + 1, '[', ']'), false},
        {"{\"a\":" + nested(kMaxJsonDepth, '[', ']') + "}", false},
        {nested(500'000, '[', ']'), false},
        {std::string(500'000, '['), false}, // and truncated
        {std::string(10'000, '{'), false},  // object starts without keys
    };
    for (const auto& test : cases) {
        EXPECT_EQ(JsonNestingWithin(test.Text), test.Parses) << test.Text.substr(0, 80);
        EXPECT_EQ(ParseJson(test.Text).has_value(), test.Parses) << test.Text.substr(0, 80);
    }
    EXPECT_EQ(JsonTooDeepText(), "nested deeper than 64 levels");
}
