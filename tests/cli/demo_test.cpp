#include "support/loopback_server.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <filesystem>
#include <regex>

namespace brivane::test {
namespace {

using ::testing::UnorderedElementsAre;

// brivane-cli demo as a user runs it: a home folder of its own, and a temporary folder of
// its own. Every proxy variable names a trap that counts the connections it gets: a
// request that the demo's host map let through to a publisher would reach it (only
// 127.0.0.1 goes direct).
class DemoCommandTest : public ::testing::Test {
protected:
    DemoCommandTest() {
        std::filesystem::create_directories(Home());
        std::filesystem::create_directories(Temp());
    }

    std::filesystem::path Home() const { return fDir / "home"; }
    std::filesystem::path Temp() const { return fDir / "tmp"; }

    TProcessResult Demo(std::vector<std::string> aArguments) {
        aArguments.insert(aArguments.begin(), "demo");
        const std::string trap = "http://127.0.0.1:" + std::to_string(fTrap.Port());
        std::map<std::string, std::optional<std::string>> env = {
            {"HOME", Home().string()}, {"TMPDIR", Temp().string()}, {"LC_ALL", "C"},
            {"http_proxy", trap},      {"https_proxy", trap},       {"HTTPS_PROXY", trap},
            {"ALL_PROXY", trap},       {"all_proxy", trap},         {"no_proxy", "127.0.0.1"},
            {"NO_PROXY", "127.0.0.1"},
        };
        for (const char* name :
             {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "APPDATA", "BRIVANE_HOSTS",
              "BRIVANE_REGISTRY", "BRIVANE_LAUNCHER", "WINEPREFIX"}) {
            env[name] = std::nullopt;
        }
        return RunCli(aArguments, {}, env);
    }

    // The row of aName in aRows, or null.
    static nlohmann::json Row(const nlohmann::json& aRows, const std::string& aName) {
        for (const auto& row : aRows) {
            if (row["Name"] == aName) {
                return row;
            }
        }
        return nullptr;
    }

    static std::string Versions(const nlohmann::json& aRows, const std::string& aName) {
        const auto row = Row(aRows, aName);
        return row.is_null() ? "missing"
                             : row["CurrentVersion"].get<std::string>() + " -> " +
                                   row["AvailableVersion"].get<std::string>();
    }

    void ExpectNothingOutside() const {
        EXPECT_TRUE(std::filesystem::is_empty(Home())) << FolderEntries(Home()).front();
        EXPECT_TRUE(std::filesystem::is_empty(Temp())) << FolderEntries(Temp()).front();
        EXPECT_EQ(fTrapConnections, 0);
    }

    TTempDir fDir;
    std::atomic<int> fTrapConnections{0};
    TRawLoopbackServer fTrap{[this](int) { ++fTrapConnections; }};
};

TEST_F(DemoCommandTest, ChecksInstallsAndListsAgainOnTheDemoMachineAlone) {
    const auto result = Demo({"--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);

    // The demo machine's 13 outdated and 12 current programs; the rest of the catalogue
    // but the paid programs in the Library.
    const auto& before = json["before"];
    EXPECT_EQ(before["updates"].size(), 13u);
    EXPECT_EQ(before["actuals"].size(), 12u);
    EXPECT_EQ(before["library"].size(), 132u);
    EXPECT_EQ(Versions(before["updates"], "7-Zip"), "15.14 -> 16.02");      // from the name
    EXPECT_EQ(Versions(before["updates"], "SpeedFan"), "4.51.0.0 -> 4.52"); // the file's
    EXPECT_EQ(Versions(before["updates"], "Firefox"), "46.0.1 -> 47.0.1");
    EXPECT_EQ(Row(before["actuals"], "CCleaner")["CurrentVersion"], "5.21.0.5700");
    EXPECT_EQ(Row(before["actuals"], "Skype")["CurrentVersion"], "7.24.0.104");
    EXPECT_EQ(Versions(before["library"], "VLC media player"), " -> 2.2.4");
    // Every publisher of the catalogue answered its check.
    for (const char* list : {"updates", "actuals", "library"}) {
        for (const auto& row : before[list]) {
            EXPECT_TRUE(row["Problem"].is_null()) << row["Name"] << ": " << row["Problem"];
        }
    }

    EXPECT_THAT(json["installed"].get<std::vector<std::string>>(),
                UnorderedElementsAre("7-Zip", "SpeedFan", "VLC media player"));
    const auto& after = json["after"];
    EXPECT_EQ(after["updates"].size(), 11u);
    EXPECT_EQ(after["actuals"].size(), 15u);
    EXPECT_EQ(after["library"].size(), 131u);
    EXPECT_TRUE(Row(after["updates"], "7-Zip").is_null());
    EXPECT_EQ(Row(after["actuals"], "7-Zip")["CurrentVersion"], "16.02");
    EXPECT_EQ(Row(after["actuals"], "SpeedFan")["CurrentVersion"], "4.52.0.0");
    EXPECT_EQ(Row(after["actuals"], "VLC media player")["CurrentVersion"], "2.2.4");

    // std::regex: GoogleTest's own regular expressions on Windows know no brackets.
    EXPECT_TRUE(std::regex_search(result.Err,
                                  std::regex("The demo's sites answered [1-9][0-9]* requests on "
                                             "http://127\\.0\\.0\\.1:")))
        << result.Err;
    ExpectNothingOutside();
}

TEST_F(DemoCommandTest, KeepsItsFolderWhereAsked) {
    const auto kept = fDir / "kept";
    const auto result = Demo({"--keep", kept.string()});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_TRUE(result.Out.starts_with("Updates (13)\n")) << result.Out.substr(0, 200);
    EXPECT_NE(result.Out.find("\nInstalling 7-Zip, SpeedFan, VLC media player\n"),
              std::string::npos);
    EXPECT_NE(result.Out.find("\nUpdates (11)\n"), std::string::npos);
    // The installers' downloads and the records they wrote stay for a look.
    EXPECT_TRUE(std::filesystem::exists(kept / "data/Brivane/Downloads/7z1602-x64.exe"));
    EXPECT_NE(ReadAll(kept / "prefix/system.reg").find("\"DisplayName\"=\"7-Zip 16.02 (x64)\""),
              std::string::npos);
    ExpectNothingOutside();

    // A folder with something in it is not taken: nothing of the user's is mixed in.
    const auto again = Demo({"--keep", kept.string()});
    EXPECT_EQ(again.ExitCode, 2);
    EXPECT_EQ(again.Err, "brivane-cli: The folder to keep the demo in is not empty: " +
                             std::filesystem::absolute(kept).string() + "\n");
    EXPECT_EQ(again.Out, "");
}

} // namespace
} // namespace brivane::test
