#include "cli/install_command_fixture.h"

namespace brivane::test {
namespace {

// What only POSIX shows: Ctrl+C as a signal sent through the shell, and a terminal of
// the command's own (pseudo-terminals).
class InstallCommandPosixTest : public InstallCommandTest {
protected:
    // Runs install and sends it SIGINT, as Ctrl+C would, once the file "started" exists;
    // the result holds the command's exit code, output and error output.
    TProcessResult InstallInterrupted(std::vector<std::string> aArguments) {
        std::string command = "'" + std::string(BRIVANE_CLI_PATH) + "'";
        for (const auto& argument : Arguments(std::move(aArguments))) {
            command += " '" + argument + "'";
        }
        const std::string dir = fDir.Path().string();
        const std::string script =
            command + " > '" + dir + "/out' 2> '" + dir + "/err' & pid=$!\n" + "while [ ! -e '" +
            dir + "/started' ]; do sleep 0.05; done\n" + "kill -INT $pid\nwait $pid\nexit $?\n";
        auto result = RunProcess("/bin/sh", {"-c", script}, {}, Environment());
        result.Out = ReadAll(fDir / "out");
        result.Err = ReadAll(fDir / "err");
        return result;
    }
};

TEST_F(InstallCommandPosixTest, CtrlCDuringDownloadsCancelsCleanly) {
    {
        std::lock_guard lock(fLock);
        fInstallers["7-Zip"].Endless = true;
    }
    const auto result = InstallInterrupted({"7-zip", "--yes", "--json"});
    EXPECT_EQ(result.ExitCode, 1) << result.Err;
    EXPECT_EQ(result.Err, "brivane-cli: Not installed: 7-Zip (Cancelled)\n");
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_TRUE(json["started"].empty());
    EXPECT_EQ(json["failed"], TNames{"7-Zip"});
    EXPECT_EQ(Names(json["updates"]), TNames{"7-Zip"});
    // The partial download is gone; no installer ran.
    EXPECT_TRUE(std::filesystem::is_empty(Downloads()));
    EXPECT_FALSE(std::filesystem::exists(fDir / "installers.log"));
}

TEST_F(InstallCommandPosixTest, OnATerminalItAsksFirstAndKeepsInstallersOffTheScreen) {
    auto result = RunCliInTerminal(Arguments({"7-zip"}), "n\n", Environment());
    EXPECT_EQ(result.ExitCode, 0) << result.Out;
    EXPECT_NE(result.Out.find("Install 7-Zip? [y/N] "), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("Started: none"), std::string::npos) << result.Out;
    EXPECT_FALSE(std::filesystem::exists(fDir / "installers.log"));

    result = RunCliInTerminal(Arguments({"7-zip"}), "y\n", Environment());
    EXPECT_EQ(result.ExitCode, 0) << result.Out;
    EXPECT_NE(result.Out.find("Started: 7-Zip"), std::string::npos) << result.Out;
    // The installer's bar keeps its line; what the installer wrote is in its log.
    EXPECT_NE(result.Out.find("Installing software: 1 from 1 [" + std::string(30, '#') +
                              "] 100%\x1b[K\n"),
              std::string::npos)
        << result.Out;
    EXPECT_EQ(result.Out.find("setup of"), std::string::npos) << result.Out;
    bool logged = false;
    for (const auto& entry : std::filesystem::directory_iterator(Downloads())) {
        if (entry.path().extension() == ".log") {
            logged = ReadAll(entry.path()) == "setup of 7-Zip running\n";
        }
    }
    EXPECT_TRUE(logged);
}

} // namespace
} // namespace brivane::test
