#include "cli/install_command_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace brivane::test {
namespace {

TEST_F(InstallCommandTest, UpdateAndLibraryProgramMoveToActualsOneAtATime) {
    const auto result = Install({"7-zip", "CCLEANER", "--yes", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    // Installers start in the order their downloads finish (the smaller one usually, but
    // the downloads run side by side), one at a time.
    const TNames started = json["started"];
    EXPECT_THAT(started, ::testing::UnorderedElementsAre("7-Zip", "CCleaner"));
    EXPECT_TRUE(json["failed"].empty());
    EXPECT_TRUE(json["updates"].empty());
    EXPECT_TRUE(json["library"].empty());
    ASSERT_EQ(Names(json["actuals"]), (TNames{"7-Zip", "CCleaner"}));
    EXPECT_EQ(json["actuals"][0]["CurrentVersion"], "16.02");
    EXPECT_EQ(json["actuals"][1]["CurrentVersion"], "5.21.0.5700");

    // The second installer started after the first had ended.
    const auto log = InstallerLog();
    ASSERT_EQ(log.size(), 4u) << ReadAll(fDir / "installers.log");
    EXPECT_EQ(log[0].Event + log[0].Name, "start" + started.at(0));
    EXPECT_EQ(log[1].Event + log[1].Name, "end" + started.at(0));
    EXPECT_EQ(log[2].Event + log[2].Name, "start" + started.at(1));
    EXPECT_EQ(log[3].Event + log[3].Name, "end" + started.at(1));
    EXPECT_LE(log[1].Time, log[2].Time);
    // The installers stay in the download folder under their own names, each with the
    // log of what it wrote where the system keeps one; nothing else.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(Downloads())) {
        files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    const std::size_t each = InstallerOutputIsLogged() ? 2 : 1;
    ASSERT_EQ(files.size(), 2 * each);
    EXPECT_TRUE(files[0].starts_with("7z1602")) << files[0];
    EXPECT_EQ(files[each], "ccsetup521.exe");
    if (InstallerOutputIsLogged()) {
        EXPECT_EQ(files[1], files[0] + ".log");
        EXPECT_EQ(files[3], "ccsetup521.exe.log");
    }
}

TEST_F(InstallCommandTest, FailedDownloadsAndHostileNamesAreReported) {
    // A 404 for 7-Zip; CCleaner's server names its file "../../x.exe".
    SetInstaller("7-Zip", "not found", 404);
    SetInstaller("CCleaner", MakeInstaller(Plan("CCleaner", "CCleaner", "5.21.0.5700", 0)), 200,
                 "attachment; filename=\"../../x.exe\"");
    const auto result = Install({"7-zip", "ccleaner", "--yes", "--json"});
    EXPECT_EQ(result.ExitCode, 1) << result.Err;
    // Why, as the server said it, with the publisher's address.
    EXPECT_TRUE(result.Err.starts_with("brivane-cli: Not installed: 7-Zip (HTTP 404 Not Found "
                                       "from https://www.7-zip.org/a/7z1602"))
        << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(json["started"], TNames{"CCleaner"});
    EXPECT_EQ(json["failed"], TNames{"7-Zip"});
    EXPECT_TRUE(json["reasons"]["7-Zip"].get<std::string>().starts_with("HTTP 404"));
    EXPECT_EQ(Names(json["updates"]), TNames{"7-Zip"});
    EXPECT_EQ(Names(json["actuals"]), TNames{"CCleaner"});
    EXPECT_TRUE(std::filesystem::exists(Downloads() / "x.exe"));
    EXPECT_FALSE(std::filesystem::exists(fDir / "x.exe"));
    EXPECT_FALSE(std::filesystem::exists(fDir / "data" / "x.exe"));
}

TEST_F(InstallCommandTest, TablesNameWhatStarted) {
    const auto result = Install({"7-ZIP", "--yes"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_TRUE(result.Out.starts_with("Updates (0)\n\nActuals (1)\n")) << result.Out;
    EXPECT_NE(result.Out.find("7-Zip  16.02"), std::string::npos) << result.Out;
    EXPECT_TRUE(result.Out.ends_with("\nStarted: 7-Zip\n")) << result.Out;
}

TEST_F(InstallCommandTest, AnInstallerThatEndsInFailureIsReported) {
    // Windows installers' "done, restart required" is a success; 5 is a failure.
    auto restart = Plan("7-Zip", "7-Zip 16.02 (x64)", "16.02", 0);
    restart.ExitCode = RestartRequiredExitCode();
    SetInstaller("7-Zip", MakeInstaller(restart));
    SetInstaller("CCleaner", MakeInstaller({.ExitCode = 5}));
    const auto result = Install({"7-zip", "ccleaner", "--yes", "--json"});
    EXPECT_EQ(result.ExitCode, 1) << result.Err;
    EXPECT_EQ(result.Err,
              "brivane-cli: Not installed: CCleaner (Its installer ended with exit code 5)\n");
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(json["failed"], TNames{"CCleaner"});
    EXPECT_EQ(Names(json["actuals"]), TNames{"7-Zip"});
    EXPECT_EQ(Names(json["library"]), TNames{"CCleaner"});
}

TEST_F(InstallCommandTest, AllInstallsEveryUpdateAndNoLibraryProgram) {
    const auto result = Install({"--all", "--yes", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(json["started"], TNames{"7-Zip"});
    EXPECT_TRUE(json["updates"].empty());
    EXPECT_EQ(Names(json["actuals"]), TNames{"7-Zip"});
}

TEST_F(InstallCommandTest, BadArgumentsGiveOneLineAndExitCode2) {
    const std::vector<std::vector<std::string>> cases = {
        {"--yes"},                  // nothing named
        {"7-zip"},                  // no terminal to ask on, and no --yes
        {"NoSuchProgram", "--yes"}, // not in the catalogue
        {"--no-such-option"},
    };
    for (const auto& arguments : cases) {
        const auto result = Install(arguments, "y\n");
        EXPECT_EQ(result.ExitCode, 2) << arguments[0] << ": " << result.Err;
        EXPECT_EQ(result.Out, "") << arguments[0];
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1)
            << arguments[0] << ": " << result.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(fDir / "installers.log"));
}

} // namespace
} // namespace brivane::test
