#include "support/loopback_server.h"
#include "support/registry_fixtures.h"
#include "support/run_process.h"
#include "support/site_fixtures.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

namespace brivane::test {
namespace {

using TNames = std::vector<std::string>;

// The publishers' sites on one loopback server, with shell scripts as installers: each
// logs its start and end and records its program in the machine's registry, as a real
// installer would. The machine has 7-Zip 15.14 (an update offers 16.02); CCleaner is in
// the Library. Installers run through BRIVANE_LAUNCHER=/bin/sh.
class InstallCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        fServer.Server().Get(
            R"(/www\.7-zip\.org/a/7z1602.*\.exe)",
            [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                Answer("7-Zip", aRequest, aResponse);
            });
        fServer.Server().Get(
            R"(/download\.ccleaner\.com/ccsetup521\.exe)",
            [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                Answer("CCleaner", aRequest, aResponse);
            });
        ServeSiteFixtures(fServer.Server());
        fServer.Start();
        fDir.Write("hosts.json", R"({"*": ")" + fServer.Origin() + R"(/{host}"})");
        fDir.Write("machine.reg",
                   "REGEDIT4\n\n" + UninstallRecordText("7-Zip", "7-Zip 15.14 (x64)", "15.14"));
        // 7-Zip's installer is the smaller one.
        SetInstaller("7-Zip", Script("7-Zip", "7-Zip 16.02 (x64)", "16.02", 0));
        SetInstaller("CCleaner", Script("CCleaner", "CCleaner", "5.21.0.5700", 200'000));
    }

    // A shell script installing aName under its uninstall key (an update replaces the
    // record): the log gets "start NAME TIME" and "end NAME TIME" (nanoseconds) around
    // half a second of work; aPadding bytes of comment make it larger.
    std::string Script(const std::string& aName, const std::string& aDisplayName,
                       const std::string& aVersion, std::size_t aPadding) const {
        const std::string log = (fDir / "installers.log").string();
        return "#" + std::string(aPadding, '-') + "\n" + "echo 'setup of " + aName + " running'\n" +
               "echo \"start " + aName + " $(date +%s%N)\" >> '" + log + "'\n" + "sleep 0.5\n" +
               "printf '\\n[HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Microsoft\\\\Windows\\\\"
               "CurrentVersion\\\\Uninstall\\\\" +
               aName + "]\\n\"DisplayName\"=\"" + aDisplayName + "\"\\n\"DisplayVersion\"=\"" +
               aVersion + "\"\\n' >> \"$BRIVANE_REGISTRY\"\n" + "echo \"end " + aName +
               " $(date +%s%N)\" >> '" + log + "'\n";
    }

    struct TInstaller {
        std::string Body;
        int Status = 200;
        std::string Disposition;
        bool Endless = false; // a body that never ends; its download makes "started"
    };

    void SetInstaller(const std::string& aName, std::string aBody, int aStatus = 200,
                      std::string aDisposition = {}) {
        std::lock_guard lock(fLock);
        fInstallers[aName] = {std::move(aBody), aStatus, std::move(aDisposition)};
    }

    void Answer(const std::string& aName, const httplib::Request& aRequest,
                httplib::Response& aResponse) {
        TInstaller installer;
        {
            std::lock_guard lock(fLock);
            installer = fInstallers[aName];
        }
        aResponse.status = installer.Status;
        if (installer.Endless) {
            if (aRequest.method == "GET") { // the check only asks for the head
                fDir.Write("started", "");
            }
            aResponse.set_content_provider(std::size_t{1} << 40, "application/octet-stream",
                                           [](std::size_t, std::size_t, httplib::DataSink& aSink) {
                                               static const std::string block(16 * 1024, 'e');
                                               std::this_thread::sleep_for(
                                                   std::chrono::milliseconds(1));
                                               return aSink.write(block.data(), block.size());
                                           });
            return;
        }
        if (!installer.Disposition.empty()) {
            aResponse.set_header("Content-Disposition", installer.Disposition);
        }
        aResponse.set_content(installer.Body, "application/octet-stream");
    }

    std::vector<std::string> Arguments(std::vector<std::string> aArguments) const {
        aArguments.insert(aArguments.begin(), "install");
        for (const char* option : {"--registry", "--hosts"}) {
            aArguments.push_back(option);
            aArguments.push_back(
                (fDir / (option[2] == 'r' ? "machine.reg" : "hosts.json")).string());
        }
        return aArguments;
    }

    std::map<std::string, std::optional<std::string>> Environment() const {
        return {{"XDG_DATA_HOME", (fDir / "data").string()},
                {"BRIVANE_LAUNCHER", "/bin/sh"},
                {"BRIVANE_HOSTS", std::nullopt},
                {"BRIVANE_REGISTRY", std::nullopt},
                {"WINEPREFIX", std::nullopt},
                {"APPDATA", std::nullopt},
                {"LC_ALL", "C"}};
    }

    TProcessResult Install(std::vector<std::string> aArguments, const std::string& aStdin = {}) {
        return RunCli(Arguments(std::move(aArguments)), aStdin, Environment());
    }

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

    static TNames Names(const nlohmann::json& aRows) {
        TNames names;
        for (const auto& row : aRows) {
            names.push_back(row["Name"]);
        }
        return names;
    }

    // The installers' log: (event, name, time) in the order written.
    struct TLogLine {
        std::string Event;
        std::string Name;
        long long Time = 0;
    };
    std::vector<TLogLine> InstallerLog() const {
        std::vector<TLogLine> lines;
        std::istringstream log(ReadAll(fDir / "installers.log"));
        for (TLogLine line; log >> line.Event >> line.Name >> line.Time;) {
            lines.push_back(line);
        }
        return lines;
    }

    std::filesystem::path Downloads() const { return fDir / "data" / "Brivane" / "Downloads"; }

    TLoopbackServer fServer;
    TTempDir fDir;
    std::mutex fLock; // the server's threads read the installers
    std::map<std::string, TInstaller> fInstallers;
};

TEST_F(InstallCommandTest, UpdateAndLibraryProgramMoveToActualsOneAtATime) {
    const auto result = Install({"7-zip", "CCLEANER", "--yes", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    // Installers start in the order their downloads finish (the smaller one usually, but
    // the downloads run side by side), one at a time.
    const TNames started = json["started"];
    EXPECT_THAT(started, ::testing::UnorderedElementsAre("7-Zip", "CCleaner"));
    EXPECT_TRUE(json["failed"].empty());
    EXPECT_TRUE(json["updates"].empty());
    EXPECT_TRUE(json["library"].empty());
    ASSERT_EQ(Names(json["actuals"]), (TNames{"7-Zip", "CCleaner"}));
    EXPECT_EQ(json["actuals"][0]["CurrentVersion"], "16.02");
    EXPECT_EQ(json["actuals"][1]["CurrentVersion"], "5.21.0.5700");

    // The second installer started after the first had ended.
    const auto log = InstallerLog();
    ASSERT_EQ(log.size(), 4u) << ReadAll(fDir / "installers.log");
    EXPECT_EQ(log[0].Event + log[0].Name, "start" + started.at(0));
    EXPECT_EQ(log[1].Event + log[1].Name, "end" + started.at(0));
    EXPECT_EQ(log[2].Event + log[2].Name, "start" + started.at(1));
    EXPECT_EQ(log[3].Event + log[3].Name, "end" + started.at(1));
    EXPECT_LE(log[1].Time, log[2].Time);
    // The installers stay in the download folder under their own names, each with the
    // log of what it wrote; nothing else.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(Downloads())) {
        files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0] + ".log", files[1]);
    EXPECT_EQ(files[2], "ccsetup521.exe");
    EXPECT_EQ(files[3], "ccsetup521.exe.log");
}

TEST_F(InstallCommandTest, FailedDownloadsAndHostileNamesAreReported) {
    // A 404 for 7-Zip; CCleaner's server names its file "../../x.exe".
    SetInstaller("7-Zip", "not found", 404);
    SetInstaller("CCleaner", Script("CCleaner", "CCleaner", "5.21.0.5700", 0), 200,
                 "attachment; filename=\"../../x.exe\"");
    const auto result = Install({"7-zip", "ccleaner", "--yes", "--json"});
    EXPECT_EQ(result.ExitCode, 1) << result.Err;
    // Why, as the server said it, with the publisher's address.
    EXPECT_TRUE(result.Err.starts_with("brivane-cli: Not installed: 7-Zip (HTTP 404 Not Found "
                                       "from https://www.7-zip.org/a/7z1602"))
        << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(json["started"], TNames{"CCleaner"});
    EXPECT_EQ(json["failed"], TNames{"7-Zip"});
    EXPECT_TRUE(json["reasons"]["7-Zip"].get<std::string>().starts_with("HTTP 404"));
    EXPECT_EQ(Names(json["updates"]), TNames{"7-Zip"});
    EXPECT_EQ(Names(json["actuals"]), TNames{"CCleaner"});
    EXPECT_TRUE(std::filesystem::exists(Downloads() / "x.exe"));
    EXPECT_FALSE(std::filesystem::exists(fDir / "x.exe"));
    EXPECT_FALSE(std::filesystem::exists(fDir / "data" / "x.exe"));
}

TEST_F(InstallCommandTest, CtrlCDuringDownloadsCancelsCleanly) {
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

TEST_F(InstallCommandTest, TablesNameWhatStarted) {
    const auto result = Install({"7-ZIP", "--yes"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_TRUE(result.Out.starts_with("Updates (0)\n\nActuals (1)\n")) << result.Out;
    EXPECT_NE(result.Out.find("7-Zip  16.02"), std::string::npos) << result.Out;
    EXPECT_TRUE(result.Out.ends_with("\nStarted: 7-Zip\n")) << result.Out;
}

TEST_F(InstallCommandTest, AnInstallerThatEndsInFailureIsReported) {
    // 3010 is Windows installers' "done, restart required" (194 in its low byte, all that
    // a process's exit status holds here); 5 is a failure.
    SetInstaller("7-Zip", Script("7-Zip", "7-Zip 16.02 (x64)", "16.02", 0) + "exit 194\n");
    SetInstaller("CCleaner", "exit 5\n");
    const auto result = Install({"7-zip", "ccleaner", "--yes", "--json"});
    EXPECT_EQ(result.ExitCode, 1) << result.Err;
    EXPECT_EQ(result.Err,
              "brivane-cli: Not installed: CCleaner (Its installer ended with exit code 5)\n");
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(json["failed"], TNames{"CCleaner"});
    EXPECT_EQ(Names(json["actuals"]), TNames{"7-Zip"});
    EXPECT_EQ(Names(json["library"]), TNames{"CCleaner"});
}

TEST_F(InstallCommandTest, AllInstallsEveryUpdateAndNoLibraryProgram) {
    const auto result = Install({"--all", "--yes", "--json"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto json = nlohmann::json::parse(result.Out);
    EXPECT_EQ(json["started"], TNames{"7-Zip"});
    EXPECT_TRUE(json["updates"].empty());
    EXPECT_EQ(Names(json["actuals"]), TNames{"7-Zip"});
}

#ifndef _WIN32 // pseudo-terminals are POSIX's (support/run_process.h)
TEST_F(InstallCommandTest, OnATerminalItAsksFirstAndKeepsInstallersOffTheScreen) {
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
#endif

TEST_F(InstallCommandTest, BadArgumentsGiveOneLineAndExitCode2) {
    const std::vector<std::vector<std::string>> cases = {
        {"--yes"},                  // nothing named
        {"7-zip"},                  // no terminal to ask on, and no --yes
        {"NoSuchProgram", "--yes"}, // not in the catalogue
        {"--no-such-option"},
    };
    for (const auto& arguments : cases) {
        const auto result = Install(arguments, "y\n");
        EXPECT_EQ(result.ExitCode, 2) << arguments[0] << ": " << result.Err;
        EXPECT_EQ(result.Out, "") << arguments[0];
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1)
            << arguments[0] << ": " << result.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(fDir / "installers.log"));
}

} // namespace
} // namespace brivane::test
