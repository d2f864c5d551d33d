#include "base/json_depth.h"
#include "install/version_info.h"

#include <gtest/gtest.h>

using namespace brivane::install;

namespace {

using TDescription = TVersionInfo::TLanguageDescription;

TVersionInfo Release(std::string aVersion, std::int32_t aBuild, std::string aURL,
                     std::vector<TDescription> aDescriptions = {}) {
    auto info = TVersionInfo::Create(std::move(aVersion), aBuild, std::move(aURL));
    info.fDescriptions = std::move(aDescriptions);
    return info;
}

} // namespace

TEST(VersionInfoTest, ReadsTheManifestAsItsMembersSay) {
    const TVersionInfo empty;
    const struct {
        const char* Text;
        TVersionInfo Expected;
        bool Problem;
    } cases[] = {
        // The whole manifest; descriptions keep the document's order.
        {R"({"version": "2016.05.12", "build": 13, "url": {"install": "https://h/S.exe"},
             "descriptions": {"ru": "Исправления", "en": "Fixes", "de": "Fehler"}})",
         Release("2016.05.12", 13, "https://h/S.exe",
                 {{"ru", "Исправления"}, {"en", "Fixes"}, {"de", "Fehler"}}),
         false},
        {R"({"descriptions": {"en": "b", "ru": "a"}, "build": 2})",
         Release("", 2, "", {{"en", "b"}, {"ru", "a"}}), false},
        // Missing members and nulls take the empty values.
        {R"({})", empty, false},
        {R"({"build": 13})", Release("", 13, ""), false},
        {R"({"version": null, "build": null, "url": null, "descriptions": null})", empty, false},
        {R"({"version": "1", "url": {"install": null}, "descriptions": {}})", Release("1", 0, ""),
         false},
        {R"({"version": "1", "url": {}})", Release("1", 0, ""), false},
        // A dotted member name is no path.
        {R"({"url.install": "https://h/S.exe", "build": 13})", Release("", 13, ""), false},
        // Negative and extreme builds are builds.
        {R"({"build": -5})", Release("", -5, ""), false},
        {R"({"build": 2147483647})", Release("", 2147483647, ""), false},
        // A scalar member of the wrong kind: nothing of the manifest is taken.
        {R"({"version": 2016, "build": 13})", empty, true},
        {R"({"version": "1", "build": "13"})", empty, true},
        {R"({"version": "1", "build": 13.5})", empty, true},
        {R"({"version": "1", "build": true})", empty, true},
        {R"({"version": "1", "build": 2147483648})", empty, true},
        {R"({"version": "1", "build": -2147483649})", empty, true},
        {R"({"version": "1", "build": 1, "url": "https://h/S.exe"})", empty, true},
        {R"({"version": "1", "build": 1, "url": {"install": ["https://h/S.exe"]}})", empty, true},
        {R"({"version": "1", "build": 1, "sha256": 5})", empty, true},
        {R"({"version": "1", "build": 1, "signature": {}})", empty, true},
        // Descriptions of the wrong kind: the release stays, the descriptions go.
        {R"({"version": "1", "build": 1, "descriptions": "Fixes"})", Release("1", 1, ""), true},
        {R"({"version": "1", "build": 1, "descriptions": ["ru", "en"]})", Release("1", 1, ""),
         true},
        {R"({"version": "1", "build": 1, "descriptions": {"ru": "a", "en": 5, "de": "c"}})",
         Release("1", 1, "", {{"ru", "a"}}), true},
        // No manifest at all.
        {"", empty, true},
        {"not json", empty, true},
        {R"({"version": "1", "build": 13)", empty, true}, // cut short
        {R"({"version": "1", "build": 13}})", empty, true},
        {R"(["version", "1"])", empty, true},
        {R"("a text")", empty, true},
        {"13", empty, true},
        {"null", empty, true},
    };
    for (const auto& test : cases) {
        std::string problem = "unchanged";
        EXPECT_EQ(ParseVersionInfo(test.Text, &problem), test.Expected) << test.Text;
        EXPECT_EQ(!problem.empty(), test.Problem) << test.Text << ": " << problem;
        EXPECT_EQ(ParseVersionInfo(test.Text), test.Expected) << test.Text;
    }
}

TEST(VersionInfoTest, TheAdditionsForVerificationAreRead) {
    const auto info = ParseVersionInfo(
        R"({"build": 13, "sha256": "AB01", "signature": "c2ln", "url": {"install": "https://h/"}})");
    EXPECT_EQ(info.fBuild, 13);
    EXPECT_EQ(info.fSha256, "AB01");
    EXPECT_EQ(info.fSignature, "c2ln");
}

TEST(VersionInfoTest, NestingBeyondTheLimitIsRefusedBeforeParsing) {
    const auto nested = [](std::size_t aDepth) {
        std::string text = R"({"build": 13, "extra": )";
        text += std::string(aDepth - 1, '[') + std::string(aDepth - 1, ']') + "}";
        return text;
    };
    std::string problem;
    EXPECT_EQ(ParseVersionInfo(nested(brivane::kMaxJsonDepth), &problem).fBuild, 13);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(ParseVersionInfo(nested(brivane::kMaxJsonDepth + 1), &problem), TVersionInfo());
    EXPECT_EQ(problem, "the manifest is nested deeper than 64 levels");
    EXPECT_EQ(ParseVersionInfo(std::string(1'000'000, '['), &problem), TVersionInfo());
    EXPECT_FALSE(problem.empty());
}

TEST(VersionInfoTest, ALargeManifestIsReadWhole) {
    const std::string notes(10 * 1024 * 1024, 'x');
    const auto info = ParseVersionInfo(R"({"build": 13, "descriptions": {"en": ")" + notes +
                                       R"(", "ru": "short"}})");
    ASSERT_EQ(info.fDescriptions.size(), 2u);
    EXPECT_EQ(info.fDescriptions[0].fDescription, notes);
    EXPECT_EQ(info.fDescriptions[1], TDescription::Create("ru", "short"));
    EXPECT_EQ(info.fBuild, 13);
}

TEST(VersionInfoTest, DescriptionsAreFoundInAnyLetterCase) {
    const auto info = Release("2016.05.12", 13, "", {{"RU", "Исправления"}, {"en", "Fixes"}});
    EXPECT_EQ(info.Description("ru"), "Исправления");
    EXPECT_EQ(info.Description("EN"), "Fixes");
    EXPECT_EQ(info.Description("de"), "");
    EXPECT_EQ(info.AsString(), "2016.05.12 build 13");
    EXPECT_EQ(VersionAsString("2016.05.11", 12), "2016.05.11 build 12");
}
