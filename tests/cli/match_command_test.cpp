#include "support/run_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

using brivane::test::RunCli;
using nlohmann::json;

int Lines(const std::string& aText) {
    return int(std::count(aText.begin(), aText.end(), '\n'));
}

TEST(MatchCommandTest, JsonOfTheFirstMatchCountsCodeUnits) {
    const auto result = RunCli({"match", R"((\d+)\.(\d+)|(x))", "--json"}, "Версия 16.02 и 9.20");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const json expected = {{"success", true},
                           {"groups",
                            {{{"success", true}, {"value", "16.02"}, {"index", 7}, {"length", 5}},
                             {{"success", true}, {"value", "16"}, {"index", 7}, {"length", 2}},
                             {{"success", true}, {"value", "02"}, {"index", 10}, {"length", 2}},
                             {{"success", true}, {"value", ""}, {"index", -1}, {"length", 0}}}}};
    EXPECT_EQ(json::parse(result.Out), expected);
}

TEST(MatchCommandTest, AllMatchesAsJsonArray) {
    const auto result = RunCli({"match", "[A-Z]\\w+", "--all", "--json", "--options", "2"},
                               "7-zip, WinRAR\nfoobar");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const json all = json::parse(result.Out);
    ASSERT_TRUE(all.is_array());
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0]["groups"][0]["value"], "zip");
    EXPECT_EQ(all[2]["groups"][0]["value"], "foobar");
    EXPECT_EQ(all[2]["groups"][0]["index"], 14);
}

TEST(MatchCommandTest, OptionsChangeMatching) {
    EXPECT_EQ(RunCli({"match", "a.b", "--json"}, "a\nb").ExitCode, 1);
    EXPECT_EQ(RunCli({"match", "a.b", "--json", "--options", "8"}, "a\nb").ExitCode, 0);
}

TEST(MatchCommandTest, TableShowsGroupsWithNames) {
    const auto result =
        RunCli({"match", R"(Download (?<name>\S+) ([\d.]+))"}, "Download 7-Zip 16.02\nline");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "group  name  success  index  length  value\n"
                          "0            yes      0      20      Download 7-Zip 16.02\n"
                          "1      name  yes      9      5       7-Zip\n"
                          "2            yes      15     5       16.02\n");
    const auto all = RunCli({"match", "a\\s", "--all"}, "a\na\t");
    EXPECT_EQ(all.Out, "match  group  name  success  index  length  value\n"
                       "0      0            yes      0      2       a\\n\n"
                       "1      0            yes      2      2       a\\t\n");
    // Rows are printed as they are found, in columns as wide as the subject's numbers.
    const auto wide = RunCli({"match", "(?<digit>\\d)", "--all"}, std::string(12, 'x') + "1");
    EXPECT_EQ(wide.Out, "match  group  name   success  index  length  value\n"
                        "0      0             yes      12     1       1\n"
                        "0      1      digit  yes      12     1       1\n");
}

TEST(MatchCommandTest, NoMatchIsExitCodeOne) {
    const auto json = RunCli({"match", "\\d", "--json"}, "none");
    EXPECT_EQ(json.ExitCode, 1);
    EXPECT_EQ(json::parse(json.Out),
              (json::object({{"success", false}, {"groups", json::array()}})));
    EXPECT_EQ(Lines(json.Err), 1);
    const auto all = RunCli({"match", "\\d", "--all", "--json"}, "");
    EXPECT_EQ(all.ExitCode, 1);
    EXPECT_EQ(json::parse(all.Out), json::array());
    const auto table = RunCli({"match", "\\d"}, "none");
    EXPECT_EQ(table.ExitCode, 1);
    EXPECT_EQ(table.Out, "");
    EXPECT_EQ(table.Err, "brivane-cli: no match\n");
}

TEST(MatchCommandTest, PatternThatDoesNotCompileIsOneLineWithExitCodeTwo) {
    const auto result = RunCli({"match", "(", "--json"}, "text");
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err,
              "brivane-cli: PCRE error: missing closing parenthesis. Pattern position 1\n");
}

TEST(MatchCommandTest, BadArgumentsAreOneLineWithExitCodeTwo) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"match"},
                                                 {"match", "a", "--options", "x"},
                                                 {"match", "a", "--options", "-1"},
                                                 {"match", "a", "--options", "65536"},
                                                 {"match", "a", "--options"},
                                                 {"match", "a", "b"},
                                                 {"match", "a", "--nope"}}) {
        const auto result = RunCli(args, "a");
        EXPECT_EQ(result.ExitCode, 2) << args.back();
        EXPECT_EQ(result.Out, "") << args.back();
        EXPECT_EQ(Lines(result.Err), 1) << args.back() << ": " << result.Err;
    }
}

TEST(MatchCommandTest, LimitOfPcreIsAnErrorWithItsText) {
    const std::string subject = std::string(30, 'a') + "!";
    for (const auto& args : {std::vector<std::string>{"match", "(a+)+$"},
                             {"match", "(a+)+$", "--json"},
                             {"match", "(a+)+$", "--all"},
                             {"match", "(a+)+$", "--all", "--json"}}) {
        const auto result = RunCli(args, subject);
        EXPECT_EQ(result.ExitCode, 1) << args.back();
        EXPECT_EQ(result.Err, "brivane-cli: PCRE error: match limit exceeded\n") << args.back();
    }
    // The --all --json output stays JSON: the matches before the error, here none.
    EXPECT_EQ(json::parse(RunCli({"match", "(a+)+$", "--all", "--json"}, subject).Out),
              json::array());
}

TEST(MatchCommandTest, InputIsCappedLikeAPage) {
    const std::size_t limit = 32 << 20;
    const auto atLimit = RunCli({"match", "y"}, std::string(limit, 'x'));
    EXPECT_EQ(atLimit.ExitCode, 1);
    EXPECT_EQ(atLimit.Err, "brivane-cli: no match\n");
    const auto over = RunCli({"match", "y"}, std::string(limit + 1, 'x'));
    EXPECT_EQ(over.ExitCode, 2);
    EXPECT_EQ(over.Err, "brivane-cli: standard input is larger than 32 MiB, as no page may be\n");
}

TEST(MatchCommandTest, LargeAndInvalidInput) {
    // A page of 1 MiB with the version at its end; invalid UTF-8 reads as U+FFFD.
    std::string page(1 << 20, 'x');
    page += "\xFF v1.2";
    const auto result = RunCli({"match", "v([\\d.]+)", "--json"}, page);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const json match = json::parse(result.Out);
    EXPECT_EQ(match["groups"][1]["value"], "1.2");
    EXPECT_EQ(match["groups"][0]["index"], (1 << 20) + 2);
    EXPECT_EQ(RunCli({"match", ".", "--json"}, "\xFF").Out.find("\"value\": \"\xEF\xBF\xBD\"") !=
                  std::string::npos,
              true);
}

} // namespace
