#pragma once
// The install command's tests: publishers' sites with installers that the tests plan.

#include "support/loopback_server.h"
#include "support/registry_fixtures.h"
#include "support/run_process.h"
#include "support/site_fixtures.h"
#include "support/temp_dir.h"
#include "support/test_installer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

namespace brivane::test {

using TNames = std::vector<std::string>;

// The publishers' sites on one loopback server, with installers of the tests' own
// (support/test_installer.h): each logs its start and end and records its program in the
// machine's registry, as a real installer would. The machine has 7-Zip 15.14 (an update
// offers 16.02); CCleaner is in the Library.
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
        SetInstaller("7-Zip", MakeInstaller(Plan("7-Zip", "7-Zip 16.02 (x64)", "16.02", 0)));
        SetInstaller("CCleaner",
                     MakeInstaller(Plan("CCleaner", "CCleaner", "5.21.0.5700", 200'000)));
    }

    // An installer of aName under its uninstall key (an update replaces the record) that
    // logs its start and end to installers.log; aPadding bytes make it larger.
    TInstallerPlan Plan(const std::string& aName, const std::string& aDisplayName,
                        const std::string& aVersion, std::size_t aPadding) const {
        return {.Name = aName,
                .DisplayName = aDisplayName,
                .Version = aVersion,
                .Log = fDir / "installers.log",
                .Registry = fDir / "machine.reg",
                .Padding = aPadding};
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
                {"BRIVANE_LAUNCHER", InstallerLauncher()},
                {"BRIVANE_HOSTS", std::nullopt},
                {"BRIVANE_REGISTRY", std::nullopt},
                {"WINEPREFIX", std::nullopt},
                {"APPDATA", std::nullopt},
                {"LC_ALL", "C"}};
    }

    TProcessResult Install(std::vector<std::string> aArguments, const std::string& aStdin = {}) {
        return RunCli(Arguments(std::move(aArguments)), aStdin, Environment());
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

} // namespace brivane::test
