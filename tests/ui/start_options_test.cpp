#include "support/run_process.h"
#include "support/temp_dir.h"
#include "ui/start_options.h"

#include <QImage>
#include <gtest/gtest.h>

#include <fstream>

#include <vector>

namespace brivane::test {
namespace {

ui::TStartOptions Parse(std::vector<const char*> aArguments) {
    aArguments.insert(aArguments.begin(), "brivane");
    return ui::ParseStartOptions(static_cast<int>(aArguments.size()), aArguments.data());
}

TEST(StartOptionsTest, TakesTheCliOptionsAndTheStartArguments) {
    const auto options = Parse({"--registry", "r.reg", "--hosts", "h.json", "--beta", "--shareware",
                                "--screenshot", "w.png", "debug", "7-Zip"});
    EXPECT_EQ(options.Registry, "r.reg");
    EXPECT_EQ(options.Hosts, "h.json");
    EXPECT_TRUE(options.Beta);
    EXPECT_TRUE(options.Shareware);
    EXPECT_EQ(options.Screenshot, "w.png");
    EXPECT_EQ(options.Arguments, (std::vector<std::string>{"debug", "7-Zip"}));
    EXPECT_FALSE(Parse({}).Beta);
}

TEST(StartOptionsTest, BadInputAndHelpEndTheStartWithTheirExitCodes) {
    struct Case {
        std::vector<const char*> arguments;
        int exitCode;
    };
    const Case cases[] = {
        {{"--bogus"}, ui::kExitBadInput},
        {{"--hosts"}, ui::kExitBadInput},
        {{"--help"}, 0},
        {{"--version"}, 0},
    };
    for (const auto& c : cases) {
        try {
            Parse(c.arguments);
            ADD_FAILURE() << c.arguments.front();
        } catch (const ui::EStartError& e) {
            EXPECT_EQ(e.ExitCode(), c.exitCode) << c.arguments.front();
            EXPECT_NE(std::string(e.what()), "") << c.arguments.front();
        }
    }
}

TEST(StartOptionsTest, AMissingRegistryOrABadHostMapIsBadInput) {
    ui::TStartOptions options;
    options.Registry = "/nonexistent/registry.reg";
    EXPECT_THROW(ui::ApplyStartOptions(options), ui::EStartError);
    options.Registry.clear();
    options.Hosts = "/nonexistent/hosts.json";
    EXPECT_THROW(ui::ApplyStartOptions(options), ui::EStartError);
}

TEST(StartOptionsTest, TheScreenshotIsSavedOnceTheListsShow) {
    TTempDir folder;
    const auto hosts = folder.Path() / "hosts.json";
    // Every publisher at a closed port: nothing leaves the machine.
    std::ofstream(hosts) << R"({"*": "http://127.0.0.1:9/{host}"})";
    const auto shot = folder.Path() / "window.png";
    const std::map<std::string, std::optional<std::string>> env = {
        {"XDG_DATA_HOME", folder.Path().string()}, {"QT_QPA_PLATFORM", std::nullopt}};
    // "debug" with a name of no entry: the catalogue is empty and the lists come at once.
    auto result = RunProcess(
        BRIVANE_GUI_PATH,
        {"--hosts", hosts.string(), "--screenshot", shot.string(), "debug", "no such program"}, {},
        env);
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    const QImage image(QString::fromStdString(shot.string()));
    EXPECT_EQ(image.size(), QSize(711, 563));

    result = RunProcess(BRIVANE_GUI_PATH,
                        {"--hosts", hosts.string(), "--screenshot",
                         (folder.Path() / "missing" / "window.png").string(), "debug", "none"},
                        {}, env);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("cannot write"), std::string::npos) << result.Err;

    result = RunProcess(BRIVANE_GUI_PATH, {"--bogus"}, {}, env);
    EXPECT_EQ(result.ExitCode, ui::kExitBadInput);
}

} // namespace
} // namespace brivane::test
