#include "regex/regex.h"

#include <gtest/gtest.h>

#include <string>

namespace brivane {
namespace {

using enum TRegCompileOption;
using enum TRegMatchOption;

TEST(RegexMatchTest, FirstMatchWithNumberedAndNamedGroups) {
    const auto regex = NewRegex(R"(Download 7-Zip (?<version>[\d\.]+) \((\d{4})-\d\d-\d\d\))");
    const auto match = regex->Match("<P><B>Download 7-Zip 16.02 (2016-05-21) for Windows</B>");
    ASSERT_TRUE(match->Success());
    EXPECT_EQ(match->Value(), "Download 7-Zip 16.02 (2016-05-21)");
    EXPECT_EQ(match->Index(), 6);
    EXPECT_EQ(match->Length(), 33);
    EXPECT_EQ(match->Prefix(), "<P><B>");
    EXPECT_EQ(match->Suffix(), " for Windows</B>");
    EXPECT_EQ(match->Subject(), "<P><B>Download 7-Zip 16.02 (2016-05-21) for Windows</B>");

    const auto groups = match->Groups();
    EXPECT_EQ(groups->Count(), 3);
    EXPECT_EQ(groups->Item(1)->Value(), "16.02");
    EXPECT_EQ(groups->Item("version")->Value(), "16.02");
    EXPECT_EQ(groups->Item("version")->Index(), 21);
    EXPECT_EQ(groups->Item(2)->Value(), "2016");
    EXPECT_TRUE(regex->IsMatch("Download 7-Zip 9.20 (2010-11-18)"));
}

TEST(RegexMatchTest, FailedMatchHasNoGroups) {
    const auto match = NewRegex(R"((\d+)\.(\d+))")->Match("no version here");
    EXPECT_FALSE(match->Success());
    EXPECT_EQ(match->Value(), "");
    EXPECT_EQ(match->Index(), 0);
    EXPECT_EQ(match->Length(), 0);
    EXPECT_EQ(match->Prefix(), "");
    EXPECT_EQ(match->Suffix(), "");
    EXPECT_EQ(match->Groups()->Count(), 0);
    EXPECT_FALSE(match->Groups()->Item(0)->Success());
    EXPECT_FALSE(match->Groups()->Item(1)->Success());
}

TEST(RegexMatchTest, GroupsOutsideTheMatchOrBeyondThePattern) {
    // Group 1 takes no part; group 3 is a trailing group that takes no part either.
    const auto groups = NewRegex("(a)|(b)(c)?")->Match("xb")->Groups();
    ASSERT_EQ(groups->Count(), 4);
    for (const int unset : {1, 3}) {
        const auto group = groups->Item(unset);
        EXPECT_TRUE(group->Success()) << unset;
        EXPECT_EQ(group->Value(), "") << unset;
        EXPECT_EQ(group->Index(), -1) << unset;
        EXPECT_EQ(group->Length(), 0) << unset;
    }
    EXPECT_EQ(groups->Item(2)->Index(), 1);
    for (const int beyond : {4, 100, -1}) {
        const auto group = groups->Item(beyond);
        EXPECT_FALSE(group->Success()) << beyond;
        EXPECT_EQ(group->Value(), "") << beyond;
        EXPECT_EQ(group->Index(), 0) << beyond;
        EXPECT_EQ(group->Length(), 0) << beyond;
    }
}

TEST(RegexMatchTest, UnknownGroupNameRaises) {
    const auto groups = NewRegex("(?<major>\\d+)")->Match("12")->Groups();
    EXPECT_EQ(groups->Item("major")->Value(), "12");
    try {
        groups->Item("Major"); // names are case-sensitive
        FAIL() << "no error";
    } catch (const TRegexError& e) {
        EXPECT_STREQ(e.what(), "Match group by name \"Major\" not found");
    }
}

TEST(RegexMatchTest, OffsetsCountUtf16CodeUnits) {
    // "Версия " is 7 code units (14 bytes); "😀" is a surrogate pair, two code units.
    const std::string subject = "Версия 7.2 😀 сборка 15";
    const auto version = NewRegex(R"(\d+\.\d+)")->Match(subject);
    EXPECT_EQ(version->Index(), 7);
    EXPECT_EQ(version->Length(), 3);
    const auto build = NewRegex(R"(сборка (\d+))")->Match(subject);
    EXPECT_EQ(build->Index(), 14);
    EXPECT_EQ(build->Length(), 9);
    EXPECT_EQ(build->Groups()->Item(1)->Index(), 21);
    EXPECT_EQ(build->Value(), "сборка 15");
    EXPECT_EQ(build->Prefix(), "Версия 7.2 😀 ");

    // Start offsets count code units too: 12 is the low half of the pair.
    EXPECT_EQ(NewRegex("\\d")->Match(subject, 8)->Index(), 9);
    EXPECT_EQ(NewRegex(".")->Match(subject, 12)->Length(), 1);
}

TEST(RegexMatchTest, OneCodeUnitIsOneCharacter) {
    // A character outside the BMP is two characters; each half alone is not valid
    // text and reads back as U+FFFD.
    EXPECT_EQ(NewRegex("^.$")->IsMatch("😀"), false);
    EXPECT_EQ(NewRegex("^..$")->IsMatch("😀"), true);
    EXPECT_EQ(NewRegex(".")->Match("😀")->Value(), "\xEF\xBF\xBD");
    EXPECT_EQ(NewRegex("x😀+")->Match("x😀😀")->Length(), 3); // + repeats the low half only
    // Letter classes and case folding know code units below 256 only.
    EXPECT_EQ(NewRegex("\\w+")->Match("abcЖ")->Value(), "abc");
    EXPECT_FALSE(NewRegex("ВЕРСИЯ", {rcoIgnoreCase})->IsMatch("версия"));
    EXPECT_TRUE(NewRegex("версия")->IsMatch("Версия, версия"));
    // Invalid UTF-8 arrives as U+FFFD, one code unit, and loses the rest of nothing.
    EXPECT_EQ(NewRegex("\\d\\.\\d")->Match("\xFF\xFE 1.2")->Index(), 3);
}

TEST(RegexMatchTest, StartOffset) {
    const auto regex = NewRegex("\\d");
    EXPECT_EQ(regex->Match("a1b2", 2)->Index(), 3);
    EXPECT_FALSE(regex->IsMatch("a1b2", 4));
    EXPECT_TRUE(NewRegex("$")->IsMatch("a1b2", 4));
    for (const int outside : {5, 1000, -1}) {
        EXPECT_FALSE(regex->IsMatch("a1b2", outside)) << outside;
        EXPECT_FALSE(regex->Match("a1b2", outside)->Success()) << outside;
        EXPECT_EQ(regex->DfaMatch("a1b2", outside)->Count(), 0) << outside;
    }
}

struct TOptionCase {
    int fOptions;
    const char* fPattern;
    const char* fSubject;
    const char* fExpected; // the first match, or null for none
};

class RegexCompileOptionTest : public testing::TestWithParam<TOptionCase> {};

TEST_P(RegexCompileOptionTest, NumericOptionSetChangesMatching) {
    const TOptionCase& c = GetParam();
    const auto regex =
        NewRegex(c.fPattern, TRegCompileOptions::FromBits(std::uint16_t(c.fOptions)));
    const auto match = regex->Match(c.fSubject);
    EXPECT_EQ(match->Success(), c.fExpected != nullptr);
    if (c.fExpected != nullptr) {
        EXPECT_EQ(match->Value(), c.fExpected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, RegexCompileOptionTest,
    testing::Values(TOptionCase{0, "a.b", "a\nb", nullptr}, TOptionCase{8, "a.b", "a\nb", "a\nb"},
                    TOptionCase{0, "ABC", "xabcx", nullptr}, TOptionCase{2, "ABC", "xabcx", "abc"},
                    TOptionCase{10, "A.B", "a\nb", "a\nb"},
                    TOptionCase{0, "^b$", "a\nb\nc", nullptr},
                    TOptionCase{64, "^b$", "a\nb\nc", "b"}, TOptionCase{1, "b", "ab", nullptr},
                    TOptionCase{0, "a$", "a\n", "a"}, TOptionCase{4, "a$", "a\n", nullptr},
                    TOptionCase{16, "a b # note", "ab", "ab"}, TOptionCase{32, "a+", "aa", "aa"},
                    TOptionCase{128, "a+", "aaa", "a"}, TOptionCase{8192, "b", "a\nb", nullptr},
                    TOptionCase{512, "^.$", "😀", "😀"}));

TEST(RegexMatchTest, NoAutoCaptureKeepsNamedGroupsOnly) {
    const auto groups = NewRegex("(a)(?<n>b)", {rcoNoAutoCapture})->Match("ab")->Groups();
    EXPECT_EQ(groups->Count(), 2);
    EXPECT_EQ(groups->Item("n")->Value(), "b");
}

TEST(RegexMatchTest, MatchOptions) {
    EXPECT_FALSE(NewRegex("b")->IsMatch("ab", {rmoAnchored}));
    EXPECT_TRUE(NewRegex("b")->IsMatch("ab", 1, {rmoAnchored}));
    EXPECT_EQ(NewRegex("b")->Matches("bab", {rmoAnchored})->Count(), 1);
    EXPECT_FALSE(NewRegex("^a")->IsMatch("a", {rmoNotBol}));
    EXPECT_FALSE(NewRegex("a$")->IsMatch("a", {rmoNotEol}));
    EXPECT_TRUE(NewRegex("a*")->IsMatch("b"));
    EXPECT_FALSE(NewRegex("a*")->IsMatch("b", {rmoNotEmpty}));
    EXPECT_EQ(NewRegex("a|ab")->Match("ab", {rmoDfaShortest})->Value(), "a");
}

TEST(RegexMatchTest, GivingUpIsNoMatchUnlessErrorsAreAskedFor) {
    // Catastrophic backtracking: PCRE2 stops at its match limit.
    const auto regex = NewRegex("(a+)+$");
    const TRegexSubject subject(std::string(30, 'a') + "!");
    EXPECT_FALSE(regex->IsMatch(subject));
    EXPECT_FALSE(regex->Match(subject)->Success());
    EXPECT_EQ(regex->Matches(subject)->Count(), 0);
    const TRegMatchOptions raise{rmoRaiseErrors};
    const std::function<void()> calls[] = {
        [&] { regex->IsMatch(subject, raise); },
        [&] { regex->Match(subject, raise); },
        [&] { regex->Matches(subject, raise); },
        [&] { regex->ForEachMatch(subject, raise, [](const std::shared_ptr<IMatch>&) {}); },
    };
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const TRegexError& e) {
            EXPECT_STREQ(e.what(), "PCRE error: match limit exceeded");
        }
    }
    // No match at all is no error.
    EXPECT_FALSE(NewRegex("b")->IsMatch("aaa", raise));
    EXPECT_EQ(NewRegex("a")->Matches("aaa", raise)->Count(), 3);
}

TEST(RegexMatchTest, PartialOptionReportsOnlyCompleteMatches) {
    const auto regex = NewRegex("abc", {rcoPartial});
    EXPECT_FALSE(regex->IsMatch("xab"));
    EXPECT_EQ(regex->Match("xabc")->Index(), 1);
    EXPECT_EQ(regex->Replace("abc abc", "-"), "- -");
    EXPECT_EQ(regex->Split("1abc2")->Count(), 2);
}

TEST(RegexMatchTest, ResultsOutliveTheirRegex) {
    std::shared_ptr<IMatch> match;
    { match = NewRegex("(?<name>\\w+)=(\\d+)")->Match(std::string("key=42")); }
    EXPECT_EQ(match->Groups()->Item("name")->Value(), "key");
    EXPECT_EQ(match->Groups()->Item(2)->Value(), "42");
}

TEST(RegexMatchTest, DeepRepetitionOnALongSubjectStillMatches) {
    // Each repetition of the group takes JIT stack; the default stack is far too small.
    std::string subject;
    for (int i = 0; i < 100000; ++i) {
        subject += (i % 2 == 0) ? 'a' : 'b';
    }
    const auto regex = NewRegex("^(?:(a)|b)*$");
    EXPECT_TRUE(regex->IsMatch(subject));
    EXPECT_FALSE(regex->IsMatch(subject + "c"));
    EXPECT_EQ(regex->Match(subject)->Groups()->Item(1)->Index(), 99998);
}

} // namespace
} // namespace brivane
