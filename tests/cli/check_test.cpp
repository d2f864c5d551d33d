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
        // A publisher's page that no longer says what the catalogue looks for.
        fServer.Server().Get(
            "/changed/", [](const httplib::Request&, httplib::Response& aResponse) {
                aResponse.set_content("<html>Our downloads moved.</html>", "text/html");
            });
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
    // No progress bar (standard error is not a terminal), only the summary.
    EXPECT_EQ(result.Err, "Checked 3 programs: 1 newer, 1 up to date, 1 in the library, 0 not "
                          "found, 0 could not connect\n");
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
    EXPECT_EQ(update["Problem"], nullptr);
    EXPECT_EQ(json["actuals"][0]["Problem"], nullptr);
    EXPECT_EQ(json["library"][0]["Problem"], nullptr);

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
    // Nothing reads as checked: every row says why.
    for (const auto& row : {json["actuals"][0], json["actuals"][1], json["library"][0]}) {
        EXPECT_TRUE(
            row["Problem"].get<std::string>().starts_with("Could not connect to 127.0.0.1:1: "))
            << row;
    }
    EXPECT_EQ(result.Err, "Checked 3 programs: 0 newer, 0 up to date, 0 in the library, 0 not "
                          "found, 3 could not connect\n");

    // The table shows "?" where no version was found, and the problem, shortened.
    const auto table = Check({"7-zip", "--registry", (fDir / "machine.reg").string(), "--hosts",
                              (fDir / "nowhere.json").string()},
                             false);
    ASSERT_EQ(table.ExitCode, 0) << table.Err;
    const auto row = table.Out.find("\n7-Zip  ");
    ASSERT_NE(row, std::string::npos) << table.Out;
    const std::string line = table.Out.substr(row + 1, table.Out.find('\n', row + 1) - row - 1);
    EXPECT_NE(line.find("  15.14      ?  "), std::string::npos) << line;
    EXPECT_NE(line.find("Could not connect to 127.0.0.1:1: "), std::string::npos) << line;
    EXPECT_TRUE(line.ends_with("\xE2\x80\xA6")) << line;
}

TEST_F(CheckCommandTest, EachRowSaysWhyItsCheckFoundNothing) {
    const struct {
        const char* Name;
        std::string Base; // where 7-Zip's site is
        std::string Problem;
    } cases[] = {
        {"page gone", fServer.Url("/gone"), "HTTP 404 Not Found from " + fServer.Url("/gone/")},
        {"page changed", fServer.Url("/changed"),
         "The pattern \">\\s*?Download\\s+?7-Zip\\s+?([\\d.]+)\\s+?\\\xE2\x80\xA6\" did not match "
         "the page " +
             fServer.Url("/changed/")},
    };
    for (const auto& test : cases) {
        fDir.Write("moved.json", R"({"https://www.7-zip.org": ")" + test.Base + R"("})");
        const auto result = Check({"7-zip", "--json", "--registry", (fDir / "machine.reg").string(),
                                   "--hosts", (fDir / "moved.json").string()},
                                  false);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        const auto json = nlohmann::json::parse(result.Out);
        ASSERT_EQ(Names(json["actuals"]), TNames{"7-Zip"}) << test.Name;
        EXPECT_EQ(json["actuals"][0]["AvailableVersion"], "") << test.Name;
        EXPECT_EQ(json["actuals"][0]["Problem"], test.Problem) << test.Name;
        EXPECT_EQ(result.Err, "Checked 1 program: 0 newer, 0 up to date, 0 in the library, 1 not "
                              "found, 0 could not connect\n")
            << test.Name;
    }
}

TEST_F(CheckCommandTest, TraceListsTheRequestsOfTheNamedEntryInOrder) {
    const auto table = Check({"7-zip", "--trace"});
    ASSERT_EQ(table.ExitCode, 0) << table.Err;
    const auto trace = table.Out.find("\nTrace of 7-Zip\n");
    ASSERT_NE(trace, std::string::npos) << table.Out;
    // Rows "<n>  <method>  <address>  <result>".
    const auto page = table.Out.find(" GET    " + fServer.Url("/www.7-zip.org/") + " ", trace);
    const auto installer =
        table.Out.find(" HEAD   " + fServer.Url("/www.7-zip.org/a/7z1602-x64.exe") + " ", trace);
    ASSERT_NE(page, std::string::npos) << table.Out;
    ASSERT_NE(installer, std::string::npos) << table.Out;
    EXPECT_LT(page, installer);
    for (const auto start : {page, installer}) {
        const std::string line = table.Out.substr(start, table.Out.find('\n', start) - start);
        EXPECT_NE(line.find("  200 OK, "), std::string::npos) << line;
    }
    EXPECT_NE(table.Out.find("Problem: none\n", installer), std::string::npos) << table.Out;

    const auto result = Check({"7-zip", "ccleaner", "--trace", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    ASSERT_EQ(json["traces"].size(), 2u);
    const auto& steps = json["traces"][0]["Steps"];
    EXPECT_EQ(json["traces"][0]["Name"], "7-Zip");
    std::vector<std::string> requests;
    for (const auto& step : steps) {
        if (step["Step"] == "request") {
            requests.push_back(step["Method"].get<std::string>() + " " +
                               step["Address"].get<std::string>());
            EXPECT_EQ(step["Status"], 200) << step;
        }
    }
    EXPECT_EQ(requests, (TNames{"GET " + fServer.Url("/www.7-zip.org/"),
                                "HEAD " + fServer.Url("/www.7-zip.org/a/7z1602-x64.exe")}));
    EXPECT_EQ(json["traces"][1]["Name"], "CCleaner");
    EXPECT_FALSE(json["traces"][1]["Steps"].empty());
}

TEST_F(CheckCommandTest, BadArgumentsGiveOneLineAndExitCode2) {
    fDir.Write("broken.json", R"({"*": )");
    const std::vector<std::vector<std::string>> cases = {
        {"NoSuchProgram"},
        {"--registry", (fDir / "missing.reg").string()},
        {"--hosts", (fDir / "broken.json").string()},
        {"--hosts", (fDir / "missing.json").string()},
        {"--no-such-option"},
        {"--trace"}, // traces only the programs named
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
