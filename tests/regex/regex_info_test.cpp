#include "regex/regex.h"
#include "regex/regex_impl.h"

#include <gtest/gtest.h>

#include <string>

namespace brivane {
namespace {

std::string CompileError(const std::string& aPattern, TRegCompileOptions aOptions = {}) {
    try {
        NewRegex(aPattern, aOptions);
    } catch (const TRegexError& e) {
        return e.what();
    }
    return "no error";
}

TEST(RegexInfoTest, PatternThatDoesNotCompileRaisesPcreMessage) {
    EXPECT_EQ(CompileError("("), "PCRE error: missing closing parenthesis. Pattern position 1");
    EXPECT_EQ(CompileError("a)"), "PCRE error: unmatched closing parenthesis. Pattern position 1");
    EXPECT_EQ(CompileError("[a-"),
              "PCRE error: missing terminating ] for character class. Pattern position 3");
    // Positions count code units: "я" is one.
    EXPECT_EQ(CompileError("яя(?<n>a)(?<n>b)"),
              "PCRE error: two named subpatterns have the same name (PCRE2_DUPNAMES not set). "
              "Pattern position 14");
    // No position is given for an error at the very start.
    EXPECT_EQ(CompileError("*a"), "PCRE error: quantifier does not follow a repeatable item");
    EXPECT_EQ(CompileError("\\"), "PCRE error: \\ at end of pattern. Pattern position 1");
}

TEST(RegexInfoTest, PatternInformation) {
    const auto regex =
        NewRegex(R"((?<year>\d{4})-(?<month>\d\d)-(\d\d)\1)", {TRegCompileOption::rcoIgnoreCase});
    const auto info = std::dynamic_pointer_cast<IRegexInfo>(regex);
    ASSERT_NE(info, nullptr);
    EXPECT_GT(info->Size(), 0u);
    EXPECT_EQ(info->CaptureCount(), 3);
    EXPECT_EQ(info->BackReferenceMax(), 1);
    EXPECT_EQ(info->Locale(), "C");
    EXPECT_EQ(info->Options(), TRegCompileOptions{TRegCompileOption::rcoIgnoreCase});
    EXPECT_EQ(regex->Options().Bits(), 2);
    EXPECT_EQ(info->Pattern(), R"((?<year>\d{4})-(?<month>\d\d)-(\d\d)\1)");
    ASSERT_EQ(info->NameCount(), 2);
    // The table is sorted by name.
    EXPECT_EQ(info->NameTableItem(0).Index, 2);
    EXPECT_EQ(info->NameTableItem(0).Name, "month");
    EXPECT_EQ(info->NameTableItem(1).Index, 1);
    EXPECT_EQ(info->NameTableItem(1).Name, "year");
}

TEST(RegexInfoTest, UnavailableInformationRaises) {
    const auto info = std::dynamic_pointer_cast<IRegexInfo>(NewRegex("(?<n1>a)b"));
    EXPECT_EQ(info->NameTableItem(0).Name, "n1");
    const auto message = [](auto aCall) {
        try {
            aCall();
        } catch (const TRegexError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { info->GetFirstChar(); }), "GetFirstChar not implement");
    EXPECT_EQ(message([&] { info->GetFirstTable(); }), "GetFirstTable not implement");
    EXPECT_EQ(message([&] { info->GetLastLiteral(); }), "GetLastLiteral not implement");
    EXPECT_EQ(message([&] { info->NameTableItem(1); }), "Index group name not exists");
    EXPECT_EQ(message([&] { info->NameTableItem(-1); }), "Index group name not exists");
}

// A locale every machine of the system has, by the C runtime's name for it.
#ifdef _WIN32
constexpr const char* kPresentLocale = "English_United States.1252";
#else
constexpr const char* kPresentLocale = "C.UTF-8";
#endif

TEST(RegexInfoTest, CharacterTablesOfALocale) {
    const TRegex regex("\\w+", {}, kPresentLocale, TRegexLocaleCategory::RXLC_CTYPE);
    EXPECT_EQ(regex.Locale(), kPresentLocale);
    EXPECT_EQ(regex.Match("ab_1 c")->Value(), "ab_1");
    try {
        TRegex("a", {}, "xx_NO.such");
        FAIL() << "no error";
    } catch (const TRegexError& e) {
        EXPECT_STREQ(e.what(), "PCRE error: locale \"xx_NO.such\" is not available");
    }
}

} // namespace
} // namespace brivane
