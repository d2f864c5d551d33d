#include "base/date_time.h"
#include "support/loopback_server.h"
#include "support/registry_fixtures.h"
#include "support/run_process.h"
#include "support/site_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace brivane::test {
namespace {

constexpr std::int64_t kInstallerSize = kFixtureInstallerSize;
constexpr const char* kInstallerDate = kFixtureInstallerDate;

// The publishers of the catalogue's programs on one loopback server, a machine with
// 7-Zip 15.14 and Dernholt 2.4.1 installed, and a data folder of its own. The runs name
// the three entries they look at, so the rest of the catalogue does not matter.
class CheckCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ServeSiteFixtures(fServer.Server());
        fServer.Start();
        fDir.Write("hosts.json", R"({"*": ")" + fServer.Origin() + R"(/{host}"})");
        fDir.Write("machine.reg",
                   Utf16LeWithBom("Windows Registry Editor Version 5.00\n\n" +
                                  UninstallRecordText("7-Zip", "7-Zip 15.14 (x64)", "15.14") +
                                  UninstallRecordText("Dernholt", "Dernholt", "2.4.1")));
    }

    TProcessResult Check(std::vector<std::string> aArguments, bool aWithMachine = true) {
        aArguments.insert(aArguments.begin(), "check");
        if (aWithMachine) {
            for (const char* option : {"--registry", "--hosts"}) {
                aArguments.push_back(option);
                aArguments.push_back(
                    (fDir / (option[2] == 'r' ? "machine.reg" : "hosts.json")).string());
            }
        }
        return RunCli(aArguments, {},
                      {{"XDG_DATA_HOME", (fDir / "data").string()},
                       {"BRIVANE_HOSTS", std::nullopt},
                       {"BRIVANE_REGISTRY", std::nullopt},
                       {"WINEPREFIX", std::nullopt},
                       {"LC_ALL", "C"}});
    }

    static std::vector<std::string> Names(const nlohmann::json& aRows) {
        std::vector<std::string> names;
        for (const auto& row : aRows) {
            names.push_back(row["Name"]);
        }
        return names;
    }

    TLoopbackServer fServer;
    TTempDir fDir;
};

using TNames = std::vector<std::string>;

TEST_F(CheckCommandTest, JsonListsTheThreeListsWithEveryField) {
    const auto result = Check({"7-zip", "ccleaner", "dernholt", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, ""); // no progress bar: standard error is not a terminal
    const auto json = nlohmann::json::parse(result.Out);
    ASSERT_EQ(Names(json["updates"]), TNames{"7-Zip"});
    EXPECT_EQ(Names(json["actuals"]), TNames{"Dernholt"});
    ASSERT_EQ(Names(json["library"]), TNames{"CCleaner"});

    const auto& update = json["updates"][0];
    EXPECT_EQ(update["CurrentVersion"], "15.14");
    EXPECT_EQ(update["AvailableVersion"], "16.02");
    EXPECT_EQ(update["Size"], kInstallerSize);
    EXPECT_EQ(update["UpdateDate"],
              FormatIsoDateTime(UnixToLocalDateTime(*ParseHttpDate(kInstallerDate))));
    EXPECT_EQ(update["Category"], "scSystem");
    EXPECT_TRUE(
        update["DownloadURL"].get<std::string>().starts_with("https://www.7-zip.org/a/7z1602"))
        << update["DownloadURL"];
    for (const char* field : {"InformationRu", "InformationEn"}) {
        EXPECT_TRUE(update[field].is_string()) << field;
    }

    const auto& actual = json["actuals"][0];
    EXPECT_EQ(actual["AvailableVersion"], "");
    EXPECT_EQ(actual["Size"], 0);
    const auto& library = json["library"][0];
    EXPECT_EQ(library["CurrentVersion"], "");
    EXPECT_EQ(library["AvailableVersion"], "5.21.0.5700");
    EXPECT_EQ(library["DownloadURL"], "https://download.ccleaner.com/ccsetup521.exe");

    // The run stores nothing of its own in the user's settings.
    EXPECT_FALSE(std::filesystem::exists(fDir / "data" / "Brivane" / "Config.dat"));
    EXPECT_TRUE(std::filesystem::exists(fDir / "data" / "Brivane" / "Cache" / "7-Zip.dyn"));
}

TEST_F(CheckCommandTest, NamesRestrictTheCatalogueAndBetaOverridesForThisRun) {
    const auto result = Check({"7-ZIP", "--beta", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    ASSERT_EQ(Names(json["updates"]), TNames{"7-Zip"});
    EXPECT_EQ(json["updates"][0]["AvailableVersion"], "16.03");
    EXPECT_TRUE(json["actuals"].empty());
    EXPECT_TRUE(json["library"].empty());
    EXPECT_FALSE(std::filesystem::exists(fDir / "data" / "Brivane" / "Config.dat"));
}

TEST_F(CheckCommandTest, TablesByDefault) {
    const auto result = Check({"dernholt", "ccleaner"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_TRUE(result.Out.starts_with("Updates (0)\n\nActuals (1)\nName")) << result.Out;
    EXPECT_NE(result.Out.find("Dernholt  2.4.1"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("Library (1)\n"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("5.21.0.5700  2 KB  2024-05-01 "), std::string::npos) << result.Out;
}

TEST_F(CheckCommandTest, ChecksThatFindNothingStillSucceed) {
    fDir.Write("nowhere.json", R"({"*": "http://127.0.0.1:1/{host}"})");
    const auto result =
        Check({"7-zip", "ccleaner", "dernholt", "--json", "--registry",
               (fDir / "machine.reg").string(), "--hosts", (fDir / "nowhere.json").string()},
              false);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(Names(json["actuals"]), (TNames{"7-Zip", "Dernholt"}));
    EXPECT_EQ(Names(json["library"]), TNames{"CCleaner"});
    EXPECT_EQ(json["library"][0]["UpdateDate"], nullptr);
}

TEST_F(CheckCommandTest, BadArgumentsGiveOneLineAndExitCode2) {
    fDir.Write("broken.json", R"({"*": )");
    const std::vector<std::vector<std::string>> cases = {
        {"NoSuchProgram"},
        {"--registry", (fDir / "missing.reg").string()},
        {"--hosts", (fDir / "broken.json").string()},
        {"--hosts", (fDir / "missing.json").string()},
        {"--no-such-option"},
    };
    for (const auto& arguments : cases) {
        const auto result = Check(arguments, false);
        EXPECT_EQ(result.ExitCode, 2) << arguments[0] << ": " << result.Err;
        EXPECT_EQ(result.Out, "") << arguments[0];
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1)
            << arguments[0] << ": " << result.Err;
    }
}

} // namespace
} // namespace brivane::test
