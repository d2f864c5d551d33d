#include "base/date_time.h"
#include "support/loopback_server.h"
#include "support/registry_fixtures.h"
#include "support/run_process.h"
#include "support/site_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <memory>

namespace brivane::test {
namespace {

// A machine with 7-Zip 15.14 installed, a data folder of its own and a host map that
// sends every request to a loopback server of the test.
class ListCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ServeSiteFixtures(fServer->Server());
        fServer->Start();
        fDir.Write("hosts.json", R"({"*": ")" + fServer->Origin() + R"(/{host}"})");
        fDir.Write("machine.reg",
                   Utf16LeWithBom("Windows Registry Editor Version 5.00\n\n" +
                                  UninstallRecordText("7-Zip", "7-Zip 15.14 (x64)", "15.14")));
    }

    TProcessResult Run(std::vector<std::string> aArguments) {
        if (std::find(aArguments.begin(), aArguments.end(), "--registry") == aArguments.end()) {
            aArguments.insert(aArguments.end(), {"--registry", (fDir / "machine.reg").string()});
        }
        return RunCli(aArguments, {},
                      {{"XDG_DATA_HOME", (fDir / "data").string()},
                       {"BRIVANE_HOSTS", (fDir / "hosts.json").string()},
                       {"BRIVANE_REGISTRY", std::nullopt},
                       {"WINEPREFIX", std::nullopt},
                       {"LC_ALL", "C"}});
    }

    static nlohmann::json Row(const nlohmann::json& aRows, const std::string& aName) {
        const auto found = std::find_if(aRows.begin(), aRows.end(),
                                        [&](const auto& aRow) { return aRow["Name"] == aName; });
        return found == aRows.end() ? nlohmann::json() : *found;
    }

    std::unique_ptr<TLoopbackServer> fServer = std::make_unique<TLoopbackServer>();
    TTempDir fDir;
};

TEST_F(ListCommandTest, ListsTheCatalogueOfflineWithoutASingleRequest) {
    const auto result = Run({"list", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(fServer->Requests(), 0u);
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_TRUE(json["updates"].empty());
    ASSERT_EQ(json["actuals"].size(), 1u);
    const auto& sevenZip = json["actuals"][0];
    EXPECT_EQ(sevenZip["Name"], "7-Zip");
    EXPECT_EQ(sevenZip["CurrentVersion"], "15.14");
    EXPECT_EQ(sevenZip["Category"], "scSystem");
    // Never checked: not to be taken for up to date.
    EXPECT_EQ(sevenZip["Problem"], "Not checked yet");
    // The shipped descriptions, in the same shape as check's rows.
    EXPECT_NE(sevenZip["InformationEn"].get<std::string>().find("archive"), std::string::npos);
    EXPECT_NE(sevenZip["InformationRu"].get<std::string>().find("архив"), std::string::npos);
    // Every other program but the paid ones, which --shareware adds.
    EXPECT_EQ(json["library"].size(), 156u);
    EXPECT_TRUE(Row(json["library"], "WinRAR").is_null());

    const auto shareware = Run({"list", "--json", "--shareware", "--beta"});
    ASSERT_EQ(shareware.ExitCode, 0) << shareware.Err;
    EXPECT_EQ(nlohmann::json::parse(shareware.Out)["library"].size(), 159u);
    EXPECT_EQ(fServer->Requests(), 0u);

    // The same host map does reach the server when something is checked.
    ASSERT_EQ(Run({"check", "ccleaner", "--json"}).ExitCode, 0);
    EXPECT_GT(fServer->Requests(), 0u);
}

TEST_F(ListCommandTest, ShowsWhatTheLastCheckFoundAlsoWithTheServerGone) {
    ASSERT_EQ(Run({"check", "ccleaner", "--json"}).ExitCode, 0);
    const auto expectLastCheck = [this](const char* aWhen) {
        SCOPED_TRACE(aWhen);
        const auto result = Run({"list", "--json"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        const auto row = Row(nlohmann::json::parse(result.Out)["library"], "CCleaner");
        ASSERT_FALSE(row.is_null());
        EXPECT_EQ(row["AvailableVersion"], "5.21.0.5700");
        EXPECT_EQ(row["Size"], kFixtureInstallerSize);
        EXPECT_EQ(row["UpdateDate"],
                  FormatIsoDateTime(UnixToLocalDateTime(*ParseHttpDate(kFixtureInstallerDate))));
        EXPECT_EQ(row["DownloadURL"], ""); // only a check finds one
    };
    expectLastCheck("server up");
    fServer.reset();
    expectLastCheck("server gone");

    const auto table = Run({"list"});
    ASSERT_EQ(table.ExitCode, 0) << table.Err;
    EXPECT_TRUE(table.Out.starts_with("Updates (0)\n\nActuals (1)\nName")) << table.Out;
    EXPECT_NE(table.Out.find("Library (156)\n"), std::string::npos);
    EXPECT_NE(table.Out.find("CCleaner "), std::string::npos);
    EXPECT_NE(table.Out.find(" 5.21.0.5700  2 KB  2024-05-01 "), std::string::npos) << table.Out;
}

TEST_F(ListCommandTest, AnInstalledProgramOlderThanItsRememberedVersionIsAnUpdate) {
    ASSERT_EQ(Run({"check", "7-zip", "--json"}).ExitCode, 0);
    fServer.reset();
    const auto result = Run({"list", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_TRUE(json["actuals"].empty());
    const auto row = Row(json["updates"], "7-Zip");
    ASSERT_FALSE(row.is_null()) << result.Out;
    EXPECT_EQ(row["CurrentVersion"], "15.14");
    EXPECT_EQ(row["AvailableVersion"], "16.02");
    EXPECT_GT(row["Size"].get<std::int64_t>(), 0);
}

TEST_F(ListCommandTest, BadArgumentsGiveOneLineAndExitCode2) {
    const std::vector<std::vector<std::string>> cases = {
        {"list", "7-Zip"},
        {"list", "--hosts", "hosts.json"},
        {"list", "--registry", (fDir / "missing.reg").string()},
    };
    for (const auto& arguments : cases) {
        const auto result = Run(arguments);
        EXPECT_EQ(result.ExitCode, 2) << arguments[1] << ": " << result.Err;
        EXPECT_EQ(result.Out, "") << arguments[1];
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
    }
    EXPECT_EQ(fServer->Requests(), 0u);
}

} // namespace
} // namespace brivane::test
