// Matches report to the check trace of their thread: the pattern's first characters,
// whether it matched and the length of the text.

#include "base/check_trace.h"
#include "regex/regex.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace brivane {
namespace {

TEST(RegexTraceTest, EveryKindOfMatchReportsToTheCurrentTrace) {
    const auto version = NewRegex(R"(Version ([\d.]+))");
    const TRegexSubject page("<p>Version 1.2</p>"); // 18 characters
    const TRegexSubject other("Привет");            // 6 characters, 12 bytes
    const struct {
        const char* Name;
        std::function<void()> Run;
        bool Matched;
        std::int64_t Length;
    } cases[] = {
        {"Match", [&] { version->Match(page); }, true, 18},
        {"Match missing", [&] { version->Match(other); }, false, 6},
        {"IsMatch", [&] { version->IsMatch(page); }, true, 18},
        {"Matches", [&] { version->Matches(other); }, false, 6},
        {"ForEachMatch", [&] { version->ForEachMatch(page, [](const auto&) {}); }, true, 18},
        {"DfaMatch", [&] { version->DfaMatch(page); }, true, 18},
    };
    for (const auto& test : cases) {
        TCheckTrace trace(true);
        {
            const TCheckTraceScope scope(&trace);
            test.Run();
        }
        version->Match(page); // outside the scope: not reported
        ASSERT_EQ(trace.Steps().size(), 1u) << test.Name;
        const TTracedPattern expected{R"(Version ([\d.]+))", test.Matched, test.Length};
        EXPECT_EQ(std::get<TTracedPattern>(trace.Steps()[0]), expected) << test.Name;
    }
}

TEST(RegexTraceTest, ReplacingAndSplittingAreNoMatchesOfAPage) {
    TCheckTrace trace(true);
    const TCheckTraceScope scope(&trace);
    const auto dots = NewRegex(R"(\.)");
    EXPECT_EQ(dots->Replace("1.2.3", "-"), "1-2-3");
    EXPECT_EQ(dots->Split("1.2")->Count(), 2);
    EXPECT_TRUE(trace.Steps().empty());
}

} // namespace
} // namespace brivane
