#include "support/language_environment.h"
#include "support/registry_fixtures.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace brivane::test {
namespace {

using TEnv = std::map<std::string, std::optional<std::string>>;

// A clean environment: no registry source but the one a test names.
TEnv Environment(const TTempDir& aHome, TEnv aMore = {}) {
    TEnv env = LanguageEnvironment("ru");
    env.insert({{"HOME", aHome.Path().string()},
                {"BRIVANE_REGISTRY", std::nullopt},
                {"WINEPREFIX", std::nullopt},
                {"APPDATA", std::nullopt}});
    for (auto& [name, value] : aMore) {
        env[name] = value;
    }
    return env;
}

std::size_t Lines(const std::string& aText) {
    return static_cast<std::size_t>(std::count(aText.begin(), aText.end(), '\n'));
}

TEST(InventoryCommandTest, PrintsAWinePrefixAsJson) {
    TTempDir home;
    // The prefix's user has Russian regional settings, whatever this machine's are.
    const auto result =
        RunCli({"inventory", "--registry", RegistryFixture("wine64").string(), "--json"}, {},
               Environment(home, {{"LANG", "en_US.UTF-8"}}));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    const auto json = nlohmann::ordered_json::parse(result.Out);
    EXPECT_EQ(json["system"], nlohmann::ordered_json::parse(R"({"Name": "Windows 7",
        "Version": "6.1.7601", "ServicePack": "1.0", "Is64Bit": true, "Edition": "Professional",
        "SystemLanguage": "ru", "Assumed": []})"));
    EXPECT_EQ(json["isWindows64"], true);
    ASSERT_EQ(json["applications"].size(), 11u);
    EXPECT_EQ(json["applications"][9], nlohmann::ordered_json::parse(R"({"Name": "Медиаплеер",
        "Version": "1.2.3", "Icon": "C:\\users\\tester\\AppData\\Roaming\\player\\icon.ico",
        "InstallLocation": "", "UninstallString": ""})"));
}

TEST(InventoryCommandTest, PrintsARegeditExportFromTheEnvironmentAsATable) {
    TTempDir home;
    const auto file = WriteWindows10Export(home / "export.reg");
    const auto result =
        RunCli({"inventory"}, {}, Environment(home, {{"BRIVANE_REGISTRY", file.string()}}));
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("Windows 10"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("Home"), std::string::npos);
    EXPECT_NE(result.Out.find("Телеграм Desktop"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("VLC media player"), std::string::npos);
}

TEST(InventoryCommandTest, SaysWhichFactsTheRegistryDoesNotRecord) {
    TTempDir home;
    const auto systems = RegistryFixture("systems");
    const auto json = [&](const char* aFile) {
        const auto result =
            RunCli({"inventory", "--json", "--registry", (systems / aFile).string()}, {},
                   Environment(home));
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        return nlohmann::ordered_json::parse(result.Out);
    };
    const auto bare = json("uninstall_only.reg");
    EXPECT_EQ(bare["system"]["Assumed"],
              nlohmann::ordered_json::parse(R"(["Name", "Version", "ServicePack", "Edition",
                  "Is64Bit", "SystemLanguage"])"));
    const std::string language = ChildSystemLanguage("ru");
    EXPECT_EQ(bare["system"]["SystemLanguage"], language);
    const auto windows7 = json("windows7_x86.reg");
    EXPECT_EQ(windows7["system"]["Is64Bit"], false);
    EXPECT_EQ(windows7["isWindows64"], false);
    EXPECT_EQ(windows7["system"]["Assumed"],
              nlohmann::ordered_json::parse(R"(["SystemLanguage"])"));
    EXPECT_EQ(json("xp_home.reg")["system"]["Assumed"], nlohmann::ordered_json::array());

    const auto table =
        RunCli({"inventory", "--registry", (systems / "uninstall_only.reg").string()}, {},
               Environment(home));
    ASSERT_EQ(table.ExitCode, 0) << table.Err;
    for (const std::string& line : std::vector<std::string>{
             "\nName            Windows 10 (assumed)\n", "\nService pack    (assumed)\n",
             "\n64-bit          yes (assumed)\n", "\nLanguage        " + language + " (assumed)\n",
             "\nWindows 64-bit  yes (assumed)\n",
             "\n(assumed): not recorded in the registry read"}) {
        EXPECT_NE(table.Out.find(line), std::string::npos) << line << table.Out;
    }
    const auto read = RunCli({"inventory", "--registry", (systems / "xp_home.reg").string()}, {},
                             Environment(home));
    EXPECT_NE(read.Out.find("\nEdition         Home\n"), std::string::npos) << read.Out;
    EXPECT_EQ(read.Out.find("assumed"), std::string::npos) << read.Out;
}

TEST(InventoryCommandTest, BadRegistryFilesGiveWhatCanBeReadAndOneWarning) {
    TTempDir home;
    const auto binary = home.Write("binary.reg", std::string("\x00\x01\xFF\xFEgarbage\x00", 12));
    const auto truncated =
        home.Write("truncated.reg", ReadAll(RegistryFixture("regedit4.reg")).substr(0, 150));
    // The truncated file still gives its first, complete record.
    for (const auto& [path, count] : {std::pair{binary, 0u}, std::pair{truncated, 1u}}) {
        SCOPED_TRACE(path.string());
        const auto result =
            RunCli({"inventory", "--json", "--registry", path.string()}, {}, Environment(home));
        EXPECT_EQ(result.ExitCode, 0);
        EXPECT_EQ(Lines(result.Err), 1u) << result.Err;
        EXPECT_NE(result.Err.find("warning"), std::string::npos);
        EXPECT_EQ(nlohmann::ordered_json::parse(result.Out)["applications"].size(), count);
    }
}

TEST(InventoryCommandTest, ControlCharactersOfNamesAreVisibleInTablesAndExactInJson) {
    TTempDir home;
    const std::string name = "Evil\x1B[2J\x1B]0;title\x07 Tool";
    const auto file =
        home.Write("evil.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"
                               "CurrentVersion\\Uninstall\\Evil]\r\n\"DisplayName\"=\"" +
                                   name + "\"\r\n\"DisplayVersion\"=\"1.0\\t\"\r\n");
    const auto table = RunCli({"inventory", "--registry", file.string()}, {}, Environment(home));
    ASSERT_EQ(table.ExitCode, 0) << table.Err;
    EXPECT_EQ(table.Out.find('\x1B'), std::string::npos);
    EXPECT_NE(table.Out.find("Evil\\x1B[2J\\x1B]0;title\\x07 Tool"), std::string::npos)
        << table.Out;
    const auto json =
        RunCli({"inventory", "--registry", file.string(), "--json"}, {}, Environment(home));
    ASSERT_EQ(json.ExitCode, 0) << json.Err;
    EXPECT_EQ(json.Out.find('\x1B'), std::string::npos);
    EXPECT_EQ(nlohmann::ordered_json::parse(json.Out)["applications"][0]["Name"], name);
}

TEST(InventoryCommandTest, RegistryPathsThatCannotBeOneAreBadInputAsInCheck) {
    TTempDir home;
    const struct {
        std::filesystem::path Path;
        std::string Message;
    } cases[] = {
        {home / "missing.reg", "No registry file or Wine prefix at "},
    };
    for (const auto& test : cases) {
        for (const char* command : {"inventory", "check"}) {
            const auto result =
                RunCli({command, "--registry", test.Path.string()}, {}, Environment(home));
            EXPECT_EQ(result.ExitCode, 2) << command << " " << test.Path;
            EXPECT_EQ(result.Out, "");
            EXPECT_EQ(result.Err, "brivane-cli: " + test.Message + test.Path.string() + "\n");
        }
    }
}

} // namespace
} // namespace brivane::test
