// The window's update prompt against an update server of the test's own: the check
// once the lists show, the question with the offer's text, the download with its dialog,
// the start of the verified installer and the program's end, and a failed update told.

#include "app/localization.h"
#include "install/release_signature.h"
#include "net/host_map.h"
#include "support/loopback_server.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/self_update_prompt.h"
#include "window_fixture.h"

#include <QProgressDialog>

#include <nlohmann/json.hpp>

#include <atomic>
#include <fstream>

namespace brivane::test {
namespace {

using install::TAutoUpdater;

constexpr const char* kOrigin = "https://update.example";

// Run by BRIVANE_LAUNCHER=/bin/sh: it leaves the arguments it was given beside itself.
const std::string kInstaller = "printf '%s\\n' \"$@\" > \"$0.arguments\"\n";

class TSelfUpdatePromptTest : public TLocalizedTest {
protected:
    TSelfUpdatePromptTest() : fKeys(install::GenerateKeyPair()) {
        const auto installer = fFiles.Write("Setup.exe", kInstaller);
        fSeal = install::SignInstaller(installer, fKeys.SecretKey);
        auto& http = fServer.Server();
        http.Get(install::kUpdateManifestPath,
                 [this](const httplib::Request&, httplib::Response& aResponse) {
                     ++fManifestRequests;
                     aResponse.set_content(fManifest, "application/json");
                 });
        http.Get("/files/Setup.exe", [this](const httplib::Request&, httplib::Response& aResponse) {
            ++fInstallerRequests;
            aResponse.set_content(kInstaller, "application/octet-stream");
        });
        fServer.Start();
        net::SetHostMap(std::make_shared<const net::THostMap>(
            net::THostMap::Parse(nlohmann::json{{kOrigin, fServer.Origin()}}.dump(), "test")));
        ServeRelease(fSeal.Signature);

        auto updater = std::make_unique<TAutoUpdater>();
        updater->Init(std::string(kOrigin) + install::kUpdateManifestPath, "2016.05.11", 12);
        updater->SetReleaseKey(install::DecodePublicKey(fKeys.PublicKey));
        updater->SetDownloadFolder(fDownloads.Path());
        fPrompt = std::make_unique<ui::TSelfUpdatePrompt>(fWindow, std::move(updater));
        fPrompt->SetQuestion([this](const std::string& aText) {
            fAsked.push_back(aText);
            return fAnswer;
        });
        fPrompt->SetErrorReport([this](const std::string& aText) { fErrors.push_back(aText); });
        fPrompt->SetOnInstallerStarted([this] { ++fInstallerStarts; });
    }

    ~TSelfUpdatePromptTest() override {
        fPrompt.reset();
        net::ResetHostMap();
    }

    void ServeRelease(const std::string& aSignature) {
        fManifest =
            nlohmann::json{{"version", "2016.05.12"},
                           {"build", 13},
                           {"url", {{"install", std::string(kOrigin) + "/files/Setup.exe"}}},
                           {"descriptions", {{"ru", "Быстрее."}, {"en", "Faster."}}},
                           {"sha256", fSeal.Sha256},
                           {"signature", aSignature}}
                .dump();
    }

    // The lists show, as after the controller's start.
    void ShowLists(bool aCheckForUpdate) {
        fWindow.SetCheckForUpdate(aCheckForUpdate);
        fWindow.SetDisplayMode(dmList);
    }

    bool WaitFor(const std::function<bool()>& aDone) { return RunEventLoopUntil(aDone, 30000); }

    TTempDir fFiles;
    TTempDir fDownloads;
    TScopedEnv fLauncher{"BRIVANE_LAUNCHER", "/bin/sh"};
    install::TKeyPair fKeys;
    install::TInstallerSeal fSeal;
    TLoopbackServer fServer;
    std::string fManifest;
    std::atomic<int> fManifestRequests{0};
    std::atomic<int> fInstallerRequests{0};
    ui::TMainForm fWindow;
    std::unique_ptr<ui::TSelfUpdatePrompt> fPrompt;
    bool fAnswer = true;
    std::vector<std::string> fAsked;
    std::vector<std::string> fErrors;
    int fInstallerStarts = 0;
};

TEST_F(TSelfUpdatePromptTest, AnAcceptedOfferStartsTheVerifiedInstallerAndEndsTheProgram) {
    ShowLists(true);
    ASSERT_TRUE(WaitFor([this] { return fInstallerStarts == 1; }));

    ASSERT_EQ(fAsked.size(), 1u);
    EXPECT_EQ(fAsked[0], "New version available: 2016.05.12 build 13\nFaster.\n\n"
                         "Install this update?");
    EXPECT_TRUE(fErrors.empty());
    EXPECT_EQ(fPrompt->ProgressDialog(), nullptr);
    // The installer ran with "/silent".
    const auto installer = fPrompt->Updater().Installer();
    ASSERT_NE(installer, nullptr);
    ASSERT_TRUE(installer->Wait(std::chrono::seconds(30)));
    bool found = false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(fDownloads.Path())) {
        if (entry.path().extension() == ".arguments") {
            std::ifstream in(entry.path());
            std::string arguments((std::istreambuf_iterator<char>(in)), {});
            EXPECT_EQ(arguments, "/silent\n");
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(TSelfUpdatePromptTest, TheCheckRunsOnceAndOnlyWhenTheMenuSaysSo) {
    ShowLists(false);
    fWindow.SetDisplayMode(dmProgress);
    EXPECT_FALSE(fPrompt->CheckStarted());
    EXPECT_EQ(fManifestRequests, 0);

    // Declined: nothing is downloaded, and the lists showing again ask nothing more.
    fAnswer = false;
    CurrentLanguage = lRussian;
    fWindow.SetCheckForUpdate(true);
    fWindow.SetDisplayMode(dmList);
    ASSERT_TRUE(WaitFor([this] { return !fAsked.empty(); }));
    EXPECT_EQ(fAsked[0], "Доступна новая версия: 2016.05.12 build 13\nБыстрее.\n\n"
                         "Установить обновление?");
    fWindow.SetDisplayMode(dmProgress);
    fWindow.SetDisplayMode(dmList);
    ASSERT_TRUE(
        WaitFor([this] { return fPrompt->Updater().State() == install::TUpdateState::None; }));
    EXPECT_EQ(fManifestRequests, 1);
    EXPECT_EQ(fInstallerRequests, 0);
    EXPECT_EQ(fInstallerStarts, 0);
}

TEST_F(TSelfUpdatePromptTest, AnInstallerWithABadSignatureIsReportedAndNotStarted) {
    auto other = install::GenerateKeyPair();
    ServeRelease(install::SignInstaller(fFiles.Path() / "Setup.exe", other.SecretKey).Signature);
    ShowLists(true);
    ASSERT_TRUE(WaitFor([this] { return !fErrors.empty(); }));

    EXPECT_TRUE(fErrors[0].starts_with(Localize("au.error") + ":\n")) << fErrors[0];
    EXPECT_GT(fErrors[0].size(), Localize("au.error").size() + 2);
    EXPECT_EQ(fInstallerStarts, 0);
    EXPECT_EQ(fPrompt->ProgressDialog(), nullptr);
    EXPECT_EQ(fPrompt->Updater().Installer(), nullptr);
}

} // namespace
} // namespace brivane::test
