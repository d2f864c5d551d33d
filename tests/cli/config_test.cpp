#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace brivane;

namespace {

class ConfigCliTest : public ::testing::Test {
protected:
    test::TProcessResult Run(const std::vector<std::string>& aArgs) {
        std::vector<std::string> args = {"config"};
        args.insert(args.end(), aArgs.begin(), aArgs.end());
        return test::RunCli(args, {},
                            {{"XDG_DATA_HOME", fDir.Path().string()},
                             {"LC_ALL", std::nullopt},
                             {"LC_MESSAGES", std::nullopt},
                             {"LANG", "ru_RU.UTF-8"}});
    }
    std::filesystem::path File() const { return fDir / "Brivane/Config.dat"; }

    test::TTempDir fDir;
};

} // namespace

TEST_F(ConfigCliTest, SetStoresAndGetAndListShowTheValues) {
    EXPECT_EQ(Run({"set", "AllowBeta", "true"}).ExitCode, 0);
    EXPECT_EQ(Run({"set", "Language", "2"}).ExitCode, 0);
    EXPECT_EQ(Run({"set", "AllowBeta", "false"}).ExitCode, 0);
    EXPECT_EQ(test::ReadAll(File()), R"({"Language":2,"AllowBeta":false})");

    const auto get = Run({"get", "Language"});
    EXPECT_EQ(get.ExitCode, 0);
    EXPECT_EQ(get.Out, "2\n");
    EXPECT_EQ(Run({"get", "CheckForUpdate"}).Out, "true\n"); // absent: on by default

    const auto json = Run({"list", "--json"});
    EXPECT_EQ(json.ExitCode, 0);
    EXPECT_EQ(json.Out, "{\n  \"Language\": 2,\n  \"AllowBeta\": false\n}\n");

    const auto list = Run({"list"});
    EXPECT_EQ(list.ExitCode, 0);
    EXPECT_EQ(list.Out, "KEY               VALUE  SOURCE\n"
                        "AllowBeta         false  stored\n"
                        "AllowShareware    false  default\n"
                        "CheckForUpdate    true   default\n"
                        "EnableAnimations  false  default\n"
                        "FirstRun          true   default\n"
                        "Language          2      stored\n");
}

TEST_F(ConfigCliTest, WithoutAStoredLanguageTheLocaleDecides) {
    EXPECT_EQ(Run({"get", "Language"}).Out, "2\n"); // LANG is Russian
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(ConfigCliTest, BadInputIsOneLineWithExitCodeTwoAndChangesNothing) {
    fDir.Write("Brivane/Config.dat", R"({"FirstRun":true,"x":[1]})");
    const std::vector<std::vector<std::string>> bad = {
        {"set", "NoSuchKey", "true"},
        {"set", "allowbeta", "true"},
        {"set", "AllowBeta", "1"},
        {"set", "AllowBeta", "TRUE"},
        {"set", "Language", "ru"},
        {"set", "Language", "2.0"},
        {"set", "Language", ""},
        {"set", "Language", "4294967296"},
        {"set", "FirstRun"},
        {"get", "NoSuchKey"},
        {"get"},
        {"list", "extra"},
        {},
    };
    for (const auto& args : bad) {
        const auto result = Run(args);
        const std::string what =
            args.empty() ? "(none)" : args[0] + " " + (args.size() > 1 ? args[1] : "");
        EXPECT_EQ(result.ExitCode, 2) << what;
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << what << result.Err;
        EXPECT_EQ(result.Out, "") << what;
        EXPECT_EQ(test::ReadAll(File()), R"({"FirstRun":true,"x":[1]})") << what;
    }
}

TEST_F(ConfigCliTest, DamagedFileReadsAsDefaultsAndIsReplacedBySet) {
    fDir.Write("Brivane/Config.dat", "hello");
    EXPECT_EQ(Run({"list", "--json"}).Out, "{}\n");
    EXPECT_EQ(test::ReadAll(File()), "hello");
    EXPECT_EQ(Run({"set", "Language", "-1"}).ExitCode, 0);
    EXPECT_EQ(test::ReadAll(File()), R"({"Language":-1})");
}

TEST_F(ConfigCliTest, UnwritableFileIsAFailure) {
    std::filesystem::create_directories(File()); // a folder where the file should be
    const auto result = Run({"set", "AllowBeta", "true"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("Config.dat"), std::string::npos) << result.Err;
}
