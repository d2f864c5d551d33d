#include "support/language_environment.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include "app/settings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <future>

using namespace brivane;

namespace {

class ConfigCliTest : public ::testing::Test {
protected:
    test::TProcessResult Run(const std::vector<std::string>& aArgs) {
        std::vector<std::string> args = {"config"};
        args.insert(args.end(), aArgs.begin(), aArgs.end());
        auto environment = test::LanguageEnvironment("ru");
        environment["XDG_DATA_HOME"] = fDir.Path().string();
        return test::RunCli(args, {}, environment);
    }
    std::filesystem::path File() const { return fDir / "Brivane" / "Config.dat"; }

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
    EXPECT_EQ(Run({"get", "Language"}).Out,
              test::ChildSystemLanguage("ru") == "ru" ? "2\n" : "1\n");
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
        {"set", "Language", "3"},
        {"set", "Language", "-1"},
        {"set", "Language", "258"},
        {"set", "FirstRun"},
        {"get", "NoSuchKey"},
        {"get"},
        {"list", "extra"},
        {},
    };
    EXPECT_EQ(Run({"set", "Language", "7"}).Err,
              "brivane-cli: Language takes an integer from 0 to 2, not '7'\n");
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

TEST_F(ConfigCliTest, DamagedFileReadsAsDefaultsAndIsMovedAsideBySet) {
    // Deep enough to overflow the stack of a recursive copy.
    const std::string damaged = std::string(500'000, '[') + std::string(500'000, ']');
    fDir.Write("Brivane/Config.dat", damaged);
    for (const auto& args : {std::vector<std::string>{"list", "--json"}, {"get", "AllowBeta"}}) {
        const auto result = Run(args);
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Err, "brivane-cli: warning: The settings file '" + File().string() +
                                  "' cannot be used (nested deeper than 64 levels); the "
                                  "defaults apply\n");
    }
    EXPECT_EQ(Run({"list", "--json"}).Out, "{}\n");
    EXPECT_EQ(test::ReadAll(File()), damaged);

    const auto set = Run({"set", "Language", "1"});
    EXPECT_EQ(set.ExitCode, 0);
    EXPECT_EQ(set.Err, "brivane-cli: warning: The settings file '" + File().string() +
                           "' was damaged (nested deeper than 64 levels) and has been moved "
                           "aside to '" +
                           File().string() + ".damaged'\n");
    EXPECT_EQ(test::ReadAll(File()), R"({"Language":1})");
    EXPECT_EQ(test::ReadAll(File().string() + ".damaged"), damaged);
}

TEST_F(ConfigCliTest, FilesThatMayNotBeWrittenAreLeftAsTheyAre) {
    std::filesystem::create_directories(File()); // a folder where the file should be
    const auto folder = Run({"set", "AllowBeta", "true"});
    EXPECT_EQ(folder.ExitCode, 1);
    EXPECT_EQ(folder.Err, "brivane-cli: cannot write the settings file '" + File().string() +
                              "': it is not a regular file\n");
    std::filesystem::remove(File());

    fDir.Write("Brivane/Config.dat", R"({"FirstRun":true})");
    std::filesystem::permissions(File(), std::filesystem::perms::owner_read);
    // On Windows the read-only attribute, which reads as r--r--r--.
    const auto readOnlyPermissions = std::filesystem::status(File()).permissions();
    ASSERT_EQ(readOnlyPermissions & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    const auto readOnly = Run({"set", "AllowBeta", "true"});
    EXPECT_EQ(readOnly.ExitCode, 1);
    EXPECT_EQ(readOnly.Err, "brivane-cli: cannot write the settings file '" + File().string() +
                                "': it is read-only\n");
    EXPECT_EQ(test::ReadAll(File()), R"({"FirstRun":true})");
    EXPECT_EQ(std::filesystem::status(File()).permissions(), readOnlyPermissions);
}

TEST_F(ConfigCliTest, ConcurrentSetsLoseNoUpdate) {
    for (int round = 0; round < 3; ++round) {
        std::filesystem::remove(File());
        std::vector<std::future<test::TProcessResult>> runs;
        for (const auto& key : KnownSettings()) {
            const std::string value = key.Type == TSettingType::Integer ? "1" : "true";
            runs.push_back(
                std::async(std::launch::async, [this, name = std::string(key.Name), value] {
                    return Run({"set", name, value});
                }));
        }
        for (auto& run : runs) {
            EXPECT_EQ(run.get().ExitCode, 0);
        }
        const auto stored = nlohmann::json::parse(test::ReadAll(File()));
        EXPECT_EQ(stored.size(), KnownSettings().size()) << stored.dump();
    }
}
