#include "regex/regex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brivane {
namespace {

using enum TRegMatchOption;

std::vector<std::string> Values(const IStringCollection& aList) {
    std::vector<std::string> values;
    for (int i = 0; i < aList.Count(); ++i) {
        values.push_back(aList.Item(i));
    }
    return values;
}

// "index:value" of every match.
std::vector<std::string> Spans(const IMatchCollection& aList) {
    std::vector<std::string> spans;
    for (int i = 0; i < aList.Count(); ++i) {
        spans.push_back(std::to_string(aList.Item(i)->Index()) + ":" + aList.Item(i)->Value());
    }
    return spans;
}

TEST(RegexIterateTest, MatchesAndForEachMatchInOrder) {
    const auto regex = NewRegex(R"re(<a href="([^"]+)">)re");
    const std::string page = R"(<a href="x.exe"><b>б</b><a href="y.msi">)";
    const auto matches = regex->Matches(page);
    ASSERT_EQ(matches->Count(), 2);
    EXPECT_EQ(matches->Item(0)->Groups()->Item(1)->Value(), "x.exe");
    EXPECT_EQ(matches->Item(1)->Groups()->Item(1)->Value(), "y.msi");
    EXPECT_EQ(matches->Item(1)->Index(), 24);

    std::vector<std::string> seen;
    regex->ForEachMatch(page, [&](const std::shared_ptr<IMatch>& aMatch) {
        seen.push_back(aMatch->Groups()->Item(1)->Value());
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"x.exe", "y.msi"}));
    EXPECT_EQ(regex->Matches("nothing")->Count(), 0);
}

TEST(RegexIterateTest, CollectionIndexOutsideRaises) {
    const auto matches = NewRegex("a")->Matches("aa");
    EXPECT_THROW(matches->Item(2), TRegexError);
    EXPECT_THROW(matches->Item(-1), TRegexError);
    EXPECT_THROW(NewRegex(",")->Split("a,b")->Item(2), TRegexError);
    EXPECT_THROW(NewRegex("a")->DfaMatch("a")->Item(1), TRegexError);
}

TEST(RegexIterateTest, EmptyMatchesEndIteration) {
    // After an empty match the next one may not be empty at the same place.
    EXPECT_EQ(Spans(*NewRegex("x*")->Matches("axb")),
              (std::vector<std::string>{"0:", "1:x", "2:", "3:"}));
    EXPECT_EQ(Spans(*NewRegex("")->Matches("ab")), (std::vector<std::string>{"0:", "1:", "2:"}));
    EXPECT_EQ(Spans(*NewRegex("a*?")->Matches("aa")),
              (std::vector<std::string>{"0:", "0:a", "1:", "1:a", "2:"}));
    EXPECT_EQ(Spans(*NewRegex("(?=b)|b")->Matches("ab")), (std::vector<std::string>{"1:", "1:b"}));
    EXPECT_EQ(NewRegex("x*")->Replace("axb", "-"), "-a--b-");
    EXPECT_EQ(NewRegex("x*")->DfaMatch("axb")->Count(), 4);
}

TEST(RegexIterateTest, DfaMatchFindsTheLongestMatchAtEachPlace) {
    const auto matches = NewRegex(R"(\d+|\d+\.\d+)")->DfaMatch("v1.25 and 3");
    ASSERT_EQ(matches->Count(), 2);
    EXPECT_EQ(matches->Item(0)->Value(), "1.25");
    EXPECT_EQ(matches->Item(0)->Length(), 4);
    EXPECT_EQ(matches->Item(0)->Index(), 0);
    EXPECT_EQ(matches->Item(1)->Value(), "3");
    EXPECT_EQ(matches->Item(1)->Index(), 1);

    EXPECT_EQ(NewRegex("a|ab|abc")->Match("abcd")->Value(), "a");
    EXPECT_EQ(NewRegex("a|ab|abc")->DfaMatch("abcd")->Item(0)->Value(), "abc");
    EXPECT_EQ(NewRegex("a|ab|abc")->DfaMatch("abcd", {rmoDfaShortest})->Item(0)->Value(), "a");
    EXPECT_EQ(NewRegex("\\d")->DfaMatch("1a2", 1)->Item(0)->Value(), "2");
    // Back references cannot run as DFA: no match rather than an error.
    EXPECT_EQ(NewRegex("(a)\\1")->DfaMatch("aa")->Count(), 0);
}

TEST(RegexIterateTest, Split) {
    EXPECT_EQ(Values(*NewRegex(",")->Split("a,b")), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Values(*NewRegex("(,)")->Split("a,b")), (std::vector<std::string>{"a", ",", "b"}));
    EXPECT_EQ(Values(*NewRegex(",")->Split("a,b", {TRegSplitOption::rsoIncludeMatch})),
              (std::vector<std::string>{"a", ",", "b"}));
    EXPECT_EQ(Values(*NewRegex("(,)|(;)")->Split("a;b")),
              (std::vector<std::string>{"a", "", ";", "b"}));
    EXPECT_EQ(Values(*NewRegex(",")->Split(",а,")), (std::vector<std::string>{"", "а", ""}));
    EXPECT_EQ(Values(*NewRegex(",")->Split("abc")), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(Values(*NewRegex(",")->Split("")), (std::vector<std::string>{""}));
    EXPECT_EQ(Values(*NewRegex("^,")->Split(",a,b", {}, {rmoNotBol})),
              (std::vector<std::string>{",a,b"}));
}

struct TReplaceCase {
    const char* fTemplate;
    const char* fExpected;
};

class RegexReplaceTest : public testing::TestWithParam<TReplaceCase> {};

TEST_P(RegexReplaceTest, TemplateTokens) {
    const auto regex = NewRegex(R"((?<major>\d+)\.(\d+))");
    EXPECT_EQ(regex->Replace("v1.2 и 3.4", GetParam().fTemplate), GetParam().fExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, RegexReplaceTest,
    testing::Values(TReplaceCase{"[$2.$1]", "v[2.1] и [4.3]"}, TReplaceCase{"$$", "v$ и $"},
                    TReplaceCase{"$&!", "v1.2! и 3.4!"}, TReplaceCase{"${major}", "v1 и 3"},
                    TReplaceCase{"$+", "v2 и 4"}, TReplaceCase{"$01", "v1 и 3"},
                    TReplaceCase{"<$`>", "v<v> и <v1.2 и >"},
                    TReplaceCase{"<$'>", "v< и 3.4> и <>"},
                    TReplaceCase{"$_", "vv1.2 и 3.4 и v1.2 и 3.4"},
                    TReplaceCase{"$x ${ $", "v$x ${ $ и $x ${ $"}, TReplaceCase{"", "v и "},
                    TReplaceCase{"$$1", "v$1 и $1"}));

TEST(RegexReplaceTest, LastGroupOfAPatternWithoutGroupsIsTheMatch) {
    EXPECT_EQ(NewRegex("\\d")->Replace("a1", "<$+>"), "a<1>");
}

TEST(RegexReplaceTest, NoMatchLeavesTheSubject) {
    EXPECT_EQ(NewRegex("\\d")->Replace("Версия", "$7"), "Версия");
}

TEST(RegexReplaceTest, BadTokensRaise) {
    const auto regex = NewRegex(R"((?<x>\d+)\.(\d+))");
    const auto message = [&](const char* aTemplate) {
        try {
            regex->Replace("1.2", aTemplate);
        } catch (const TRegexError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("${y}"), "Match group by name \"y\" not found");
    EXPECT_EQ(message("${}"), "Match group by name \"\" not found");
    EXPECT_EQ(message("$7"), "PCRE Substitute: Bad index value 7");
    EXPECT_EQ(message("$3"), "PCRE Substitute: Bad index value 3");
    EXPECT_EQ(message("$99999999999999999999"),
              "PCRE Substitute: Bad index value 99999999999999999999");
}

TEST(RegexReplaceTest, EvaluatorOfTheSharedSubstitute) {
    const auto evaluator = Substitute()->Parse("$2-${a}");
    const auto match = NewRegex("(?<a>x)(y)")->Match("xy");
    EXPECT_EQ(evaluator->Evaluate(match), "y-x");
}

} // namespace
} // namespace brivane
