#include "support/run_process.h"

#include <gtest/gtest.h>

using brivane::test::RunCli;

TEST(CliTest, VersionPrintsProgramVersionAndBuild) {
    const auto result = RunCli({"--version"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Out, "Brivane 2016.05.11 build 12\n");
}

TEST(CliTest, UnknownSubcommandIsOneLineErrorWithExitCodeTwo) {
    const auto result = RunCli({"no-such-command"});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
}
