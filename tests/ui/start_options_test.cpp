#include "demo/demo_installer.h"
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
    EXPECT_FALSE(Parse({}).Demo);
    EXPECT_TRUE(Parse({"--demo", "--screenshot", "w.png"}).Demo);
    EXPECT_EQ(Parse({"--demo-installer", "setup.exe", "/S"}).DemoInstaller, "setup.exe");
}

TEST(StartOptionsTest, BadInputAndHelpEndTheStartWithTheirExitCodes) {
    struct Case {
        std::vector<const char*> arguments;
        int exitCode;
    };
    const Case cases[] = {
        {{"--bogus"}, ui::kExitBadInput},
        {{"--hosts"}, ui::kExitBadInput},
        // The demo brings its own machine and sites.
        {{"--demo", "--registry", "r.reg"}, ui::kExitBadInput},
        {{"--hosts", "h.json", "--demo"}, ui::kExitBadInput},
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

TEST(StartOptionsTest, TheDemoShowsTheDemoMachineAndLeavesNothingBehind) {
    TTempDir folder;
    const auto home = folder.Path() / "home";
    const auto temp = folder.Path() / "tmp";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(temp);
    // The session's runtime folder, which Qt would otherwise make in the temporary folder.
    const auto runtime = folder.Path() / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    const auto shot = folder.Path() / "window.png";
    std::map<std::string, std::optional<std::string>> env = {{"HOME", home.string()},
                                                             {"TMPDIR", temp.string()},
                                                             {"XDG_RUNTIME_DIR", runtime.string()},
                                                             {"QT_QPA_PLATFORM", std::nullopt}};
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "APPDATA",
                             "BRIVANE_HOSTS", "BRIVANE_REGISTRY", "WINEPREFIX"}) {
        env[name] = std::nullopt;
    }
    const auto result = RunProcess(
        BRIVANE_GUI_PATH, {"--demo", "--screenshot", shot.string(), "debug", "7-Zip"}, {}, env);
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(QImage(QString::fromStdString(shot.string())).size(), QSize(711, 563));
    EXPECT_TRUE(std::filesystem::is_empty(home)) << FolderEntries(home).front();
    EXPECT_TRUE(std::filesystem::is_empty(temp)) << FolderEntries(temp).front();
}

TEST(StartOptionsTest, TheWindowIsTheDemosLauncherWithoutAWindow) {
    TTempDir folder;
    demo::MakeDemoPrefix(folder.Path() / "prefix");
    const auto installer = folder.Write(
        "setup.exe",
        R"({"program": "P 2", "records": [{"key": "P", "values": {"DisplayVersion": "2"}}]})");
    auto result = RunProcess(BRIVANE_GUI_PATH, {"--demo-installer", installer.string(), "/S"}, {},
                             {{"BRIVANE_REGISTRY", (folder.Path() / "prefix").string()},
                              {"QT_QPA_PLATFORM", "no-such-platform"}});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(ReadAll(folder.Path() / "prefix" / "system.reg").find("\"DisplayVersion\"=\"2\""),
              std::string::npos);

    // Anything but a demo installer is refused with its reason.
    folder.Write("setup.exe", std::string(2048, 'x'));
    result = RunProcess(BRIVANE_GUI_PATH, {"--demo-installer", installer.string()}, {},
                        {{"BRIVANE_REGISTRY", (folder.Path() / "prefix").string()}});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Err, "brivane: Not a demo installer: not a JSON object\n");
}

} // namespace
} // namespace brivane::test
