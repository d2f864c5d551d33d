#include "support/language_environment.h"
#include "support/loopback_server.h"
#include "support/private_access.h"
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/test_installer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <mutex>

using namespace brivane::test;

namespace {

// The installer leaves its arguments beside itself.
const std::string& Installer() {
    static const std::string installer = MakeInstaller({.WritesArguments = true});
    return installer;
}

class SelfUpdateCliTest : public testing::Test {
protected:
    SelfUpdateCliTest() {
        fServer.Server().Get("/download/brivane/version.json",
                             [this](const httplib::Request&, httplib::Response& aResponse) {
                                 std::lock_guard lock(fLock);
                                 aResponse.set_content(fManifest.dump(), "application/json");
                             });
        fServer.Server().Get("/files/Brivane_13.exe",
                             [this](const httplib::Request&, httplib::Response& aResponse) {
                                 std::lock_guard lock(fLock);
                                 aResponse.set_content(fInstaller, "application/octet-stream");
                             });
        fServer.Start();
        // Every https origin, the update server's own included, leads to the test server.
        fHosts = fDir.Write("hosts.json", R"({"*": ")" + fServer.Origin() + "\"}");
        Serve(13, nlohmann::json::object());
    }

    // A manifest offering aBuild, with the extra members given.
    void Serve(int aBuild, const nlohmann::json& aExtra, std::string aInstaller = Installer()) {
        nlohmann::json manifest = {
            {"version", "2016.05.12"},
            {"build", aBuild},
            {"url", {{"install", "https://downloads.example/files/Brivane_13.exe"}}},
            {"descriptions", {{"ru", "Исправления"}, {"en", "Fixes"}}}};
        manifest.update(aExtra);
        std::lock_guard lock(fLock);
        fManifest = std::move(manifest);
        fInstaller = std::move(aInstaller);
    }

    // Runs self-update asking for aLanguage ("en", "ru") where the system lets a child
    // choose; the installer is downloaded into fDownloads, the temporary folder.
    TProcessResult Run(std::vector<std::string> aArgs, const std::string& aStdin = {},
                       const std::string& aLanguage = "en",
                       std::optional<std::string> aUpdateURL = std::nullopt) {
        aArgs.insert(aArgs.begin(), "self-update");
        auto environment = LanguageEnvironment(aLanguage);
        environment.merge(TempFolderEnvironment(fDownloads.Path()));
        environment.insert({{"XDG_DATA_HOME", fDir.Path().string()},
                            {"BRIVANE_LAUNCHER", InstallerLauncher()},
                            {"BRIVANE_HOSTS", fHosts.string()},
                            {"BRIVANE_UPDATE_URL", std::move(aUpdateURL)}});
        return RunCli(aArgs, aStdin, environment);
    }

    // The "sha256" and "signature" members that --sign prints for the installer.
    nlohmann::json SignedMembers(const std::string& aInstaller) {
        const auto key = fDir / "release.key";
        if (!std::filesystem::exists(key)) {
            EXPECT_EQ(Run({"--keygen", key.string()}).ExitCode, 0);
        }
        const auto sign =
            Run({"--sign", key.string(), fDir.Write("Setup.exe", aInstaller).string()});
        EXPECT_EQ(sign.ExitCode, 0) << sign.Err;
        return nlohmann::json::parse("{" + sign.Out + "}");
    }

    std::vector<std::filesystem::path> Downloads() const {
        return FolderEntries(fDownloads.Path());
    }

    TTempDir fDir;
    TTempDir fDownloads;
    TLoopbackServer fServer;
    std::filesystem::path fHosts;
    std::mutex fLock;
    nlohmann::json fManifest;
    std::string fInstaller;
};

int Lines(const std::string& aText) {
    return static_cast<int>(std::count(aText.begin(), aText.end(), '\n'));
}

} // namespace

TEST_F(SelfUpdateCliTest, CheckSaysWhetherANewerBuildIsOffered) {
    Serve(12, nlohmann::json::object());
    const auto current = Run({"--check"});
    EXPECT_EQ(current.ExitCode, 0) << current.Err;
    EXPECT_EQ(current.Out,
              "Brivane 2016.05.11 build 12 is up to date (the update server offers 2016.05.12 "
              "build 12)\n");

    Serve(13, nlohmann::json::object());
    // In the language the system gives the command.
    for (const std::string language : {"en", "ru"}) {
        const auto offered = Run({"--check"}, {}, language);
        EXPECT_EQ(offered.ExitCode, 10) << offered.Err;
        EXPECT_EQ(offered.Out, ChildSystemLanguage(language) == "ru"
                                   ? "Доступна новая версия: 2016.05.12 build 13\nИсправления\n"
                                   : "New version available: 2016.05.12 build 13\nFixes\n")
            << language;
        EXPECT_EQ(offered.Err, "");
    }
    EXPECT_TRUE(Downloads().empty());
}

TEST_F(SelfUpdateCliTest, AFailedCheckExitsWithOneAndTheReason) {
    Serve(13, nlohmann::json::object());
    const struct {
        std::optional<std::string> URL;
        std::string Message;
    } cases[] = {
        {fServer.Url("/download/brivane/version.json"), "the update address is not https"},
        {"https://update.example/missing.json", "the update server answered HTTP 404"},
        {"not an address", "the update address is not https"},
    };
    for (const auto& test : cases) {
        const auto result = Run({"--check"}, {}, "en", test.URL);
        EXPECT_EQ(result.ExitCode, 1) << *test.URL;
        EXPECT_EQ(result.Out, "");
        EXPECT_TRUE(result.Err.starts_with("brivane-cli: " + test.Message)) << result.Err;
        EXPECT_EQ(Lines(result.Err), 1) << result.Err;
    }
    // The same address as the default, named through BRIVANE_UPDATE_URL.
    EXPECT_EQ(
        Run({"--check"}, {}, "en", "https://any.example/download/brivane/version.json").ExitCode,
        10);
}

TEST_F(SelfUpdateCliTest, AnAcceptedUpdateStartsTheVerifiedInstallerSilently) {
    Serve(13, SignedMembers(Installer()));

    const auto declined = Run({}, "n\n");
    EXPECT_EQ(declined.ExitCode, 0) << declined.Err;
    EXPECT_EQ(declined.Out,
              "New version available: 2016.05.12 build 13\nFixes\n\nInstall this update? [y/N] ");
    EXPECT_TRUE(Downloads().empty());

    for (const auto& [args, input] :
         {std::pair{std::vector<std::string>{}, std::string("y\n")},
          std::pair{std::vector<std::string>{"--yes"}, std::string()}}) {
        const auto result = Run(args, input);
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_TRUE(result.Out.ends_with("The installer of 2016.05.12 build 13 has started\n"))
            << result.Out;
        const auto folders = Downloads();
        ASSERT_EQ(folders.size(), 1u);
        // The command leaves the installer running, to replace the program.
        WaitForProgramsFrom(folders[0]);
        EXPECT_EQ(ReadAll(folders[0] / "Brivane_13.exe.arguments"), "/silent\n");
        std::filesystem::remove_all(folders[0]);
    }
}

TEST_F(SelfUpdateCliTest, AnInstallerThatIsNotTheReleaseIsRefused) {
    auto members = SignedMembers(Installer());
    Serve(13, members, Installer() + "# changed on the way\n");
    const auto result = Run({"--yes"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Err, "brivane-cli: the installer was refused: the installer's SHA-256 does "
                          "not match the manifest\n");
    EXPECT_TRUE(Downloads().empty());

    // The build has no release key: a manifest without a digest is never trusted.
    members.erase("sha256");
    Serve(13, members);
    const auto unsigned_ = Run({"--yes"});
    EXPECT_EQ(unsigned_.ExitCode, 1);
    EXPECT_EQ(unsigned_.Err, "brivane-cli: the installer was refused: the manifest gives no "
                             "SHA-256 of the installer\n");
    EXPECT_TRUE(Downloads().empty());
}

TEST_F(SelfUpdateCliTest, KeysAreMadeOnceAndKeptPrivate) {
    const auto key = fDir / "release.key";
    const auto made = Run({"--keygen", key.string()});
    ASSERT_EQ(made.ExitCode, 0) << made.Err;
    ExpectOnlyTheUser(key);
    const std::string publicKey = ReadAll(key.string() + ".pub");
    EXPECT_EQ(publicKey.size(), 45u); // 32 bytes in Base64 and a line break
    EXPECT_NE(made.Out.find("-DBRIVANE_RELEASE_PUBLIC_KEY=" + publicKey.substr(0, 44)),
              std::string::npos)
        << made.Out;
    const std::string secret = ReadAll(key);

    const auto again = Run({"--keygen", key.string()});
    EXPECT_EQ(again.ExitCode, 2);
    EXPECT_EQ(again.Err,
              "brivane-cli: " + key.string() + ": exists already; a key is never replaced\n");
    EXPECT_EQ(ReadAll(key), secret);

    const auto installer = fDir.Write("Setup.exe", Installer());
    const auto signature = Run({"--sign", key.string(), installer.string()});
    ASSERT_EQ(signature.ExitCode, 0) << signature.Err;
    const auto members = nlohmann::json::parse("{" + signature.Out + "}");
    EXPECT_EQ(members["sha256"].get<std::string>().size(), 64u);
    EXPECT_EQ(members["signature"].get<std::string>().size(), 88u);

    const auto missing = Run({"--sign", key.string(), (fDir / "missing.exe").string()});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_EQ(missing.Err,
              "brivane-cli: " + (fDir / "missing.exe").string() + ": not a regular file\n");
}

TEST_F(SelfUpdateCliTest, SigningRefusesWhatItCannotUse) {
    const auto installer = fDir.Write("Setup.exe", Installer());
    const auto notAKey = fDir.Write("not.key", "not a key\n");
    const auto large = fDir.Write("large.key", std::string(4096, 'A'));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--sign", (fDir / "missing.key").string(), installer.string()},
             {"--sign", notAKey.string(), installer.string()},
             {"--sign", large.string(), installer.string()},
             {"--sign", fDir.Path().string(), installer.string()},
             {"--sign", notAKey.string()},
             {"--sign", notAKey.string(), installer.string(), "--check"},
             {"--keygen", (fDir / "key").string(), "--yes"}}) {
        const auto result = Run(args);
        EXPECT_EQ(result.ExitCode, 2) << args[1];
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(Lines(result.Err), 1) << result.Err;
    }
}
