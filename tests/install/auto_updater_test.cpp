#include "install/auto_updater.h"
#include "net/host_map.h"
#include "support/loopback_server.h"
#include "support/private_access.h"
#include "support/temp_dir.h"
#include "support/test_installer.h"
#include "support/wait_condition.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <condition_variable>

using namespace brivane;
using namespace brivane::install;
using test::TLoopbackServer;
using test::TTempDir;
using test::TWaitCondition;
using enum TUpdateState;

namespace {

constexpr const char* kOrigin = "https://update.example";
constexpr const char* kDeadOrigin = "https://dead.example";

// The installer leaves the arguments it was given beside itself.
const std::string& InstallerBytes() {
    static const std::string installer = test::MakeInstaller({.WritesArguments = true});
    return installer;
}

// A gate the slow download waits at until the test opens it.
struct TGate {
    std::mutex Lock;
    std::condition_variable Opened;
    bool Open = false;

    void Wait() {
        std::unique_lock lock(Lock);
        Opened.wait(lock, [this] { return Open; });
    }
    void Release() {
        {
            std::lock_guard lock(Lock);
            Open = true;
        }
        Opened.notify_all();
    }
};

// Everything the updater reports, in order.
class TRecorder {
public:
    void Attach(TAutoUpdater& aUpdater) {
        aUpdater.SetOnUpdateStateChanged(
            [this](TUpdateState aState) { Record([&] { fStates.push_back(aState); }); });
        aUpdater.SetOnUpdateCheckResult([this](bool aAvailable, const TVersionInfo& aInfo) {
            Record([&] { fResults.emplace_back(aAvailable, aInfo); });
        });
        aUpdater.SetOnUpdateProgress([this](std::int64_t aReceived, std::int64_t aTotal) {
            Record([&] { fProgress.emplace_back(aReceived, aTotal); });
        });
    }

    std::vector<TUpdateState> States() {
        std::lock_guard lock(fLock);
        return fStates;
    }
    std::vector<std::pair<bool, TVersionInfo>> Results() {
        std::lock_guard lock(fLock);
        return fResults;
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> Progress() {
        std::lock_guard lock(fLock);
        return fProgress;
    }

    // Waits until the states reported end with aTail.
    bool WaitForStates(const std::vector<TUpdateState>& aTail) {
        return fChanged.WaitFor([&] {
            std::lock_guard lock(fLock);
            return fStates.size() >= aTail.size() &&
                   std::equal(aTail.rbegin(), aTail.rend(), fStates.rbegin());
        });
    }
    bool WaitForResult() {
        return fChanged.WaitFor([&] {
            std::lock_guard lock(fLock);
            return !fResults.empty();
        });
    }
    bool WaitForProgress() {
        return fChanged.WaitFor([&] {
            std::lock_guard lock(fLock);
            return !fProgress.empty() && fProgress.back().first > 0;
        });
    }

private:
    template <class TChange>
    void Record(TChange aChange) {
        {
            std::lock_guard lock(fLock);
            aChange();
        }
        fChanged.Poke();
    }

    std::mutex fLock;
    std::vector<TUpdateState> fStates;
    std::vector<std::pair<bool, TVersionInfo>> fResults;
    std::vector<std::pair<std::int64_t, std::int64_t>> fProgress;
    TWaitCondition fChanged;
};

class AutoUpdaterTest : public testing::Test {
protected:
    AutoUpdaterTest()
        : fKeys(GenerateKeyPair()), fLauncher("BRIVANE_LAUNCHER", test::InstallerLauncher()),
          fSeal(SignInstaller(fFiles.Write("Setup.exe", InstallerBytes()), fKeys.SecretKey)) {
        auto& http = fServer.Server();
        http.Get(kUpdateManifestPath,
                 [this](const httplib::Request&, httplib::Response& aResponse) {
                     std::lock_guard lock(fServedLock);
                     aResponse.status = fManifestStatus;
                     aResponse.set_content(fManifest, "application/json");
                 });
        http.Get("/files/Setup.exe", [this](const httplib::Request&, httplib::Response& aResponse) {
            std::lock_guard lock(fServedLock);
            aResponse.set_header("Content-Disposition", R"(attachment; filename="Brivane 13.exe")");
            aResponse.set_content(fServedInstaller, "application/octet-stream");
        });
        http.Get("/files/unsized.exe", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_chunked_content_provider(
                "application/octet-stream", [](std::size_t, httplib::DataSink& aSink) {
                    aSink.write(InstallerBytes().data(), InstallerBytes().size());
                    aSink.done();
                    return true;
                });
        });
        http.Get("/files/slow.exe", [this](const httplib::Request&, httplib::Response& aResponse) {
            const std::size_t size = 256 * 1024;
            aResponse.set_content_provider(
                size, "application/octet-stream",
                [this, size](std::size_t aOffset, std::size_t, httplib::DataSink& aSink) {
                    const std::string half(size / 2, 'x');
                    if (aOffset == 0) {
                        return aSink.write(half.data(), half.size());
                    }
                    fGate.Wait();
                    return aSink.write(half.data(), half.size());
                });
        });
        fServer.Start();
        // The update server, and a host where nobody answers: a port that was free a moment ago.
        const std::string dead = TLoopbackServer().Origin();
        net::SetHostMap(std::make_shared<const net::THostMap>(net::THostMap::Parse(
            nlohmann::json{{kOrigin, fServer.Origin()}, {kDeadOrigin, dead}}.dump(), "test")));
        fServedInstaller = InstallerBytes();
    }

    ~AutoUpdaterTest() override {
        fGate.Release();
        net::ResetHostMap();
    }

    void ServeManifest(const nlohmann::json& aManifest, int aStatus = 200) {
        std::lock_guard lock(fServedLock);
        fManifest = aManifest.dump();
        fManifestStatus = aStatus;
    }
    void ServeText(std::string aText) {
        std::lock_guard lock(fServedLock);
        fManifest = std::move(aText);
    }
    void ServeInstaller(std::string aBytes) {
        std::lock_guard lock(fServedLock);
        fServedInstaller = std::move(aBytes);
    }

    // An updater of build 12 reading the test server's manifest, checking with the
    // test's key and downloading into the test's folder.
    std::unique_ptr<TAutoUpdater> MakeUpdater(std::string aManifestURL = {}) {
        auto updater = std::make_unique<TAutoUpdater>();
        updater->Init(aManifestURL.empty() ? std::string(kOrigin) + kUpdateManifestPath
                                           : aManifestURL,
                      "2016.05.11", 12);
        updater->SetReleaseKey(DecodePublicKey(fKeys.PublicKey));
        updater->SetDownloadFolder(fDownloads.Path());
        fRecorder.Attach(*updater);
        return updater;
    }

    TVersionInfo Release(std::string aPath = "/files/Setup.exe") const {
        auto info = TVersionInfo::Create("2016.05.12", 13, kOrigin + aPath);
        info.fSha256 = fSeal.Sha256;
        info.fSignature = fSeal.Signature;
        return info;
    }

    std::vector<std::filesystem::path> Downloads() const {
        return test::FolderEntries(fDownloads.Path());
    }

    TTempDir fFiles;
    TTempDir fDownloads;
    TKeyPair fKeys;
    test::TScopedEnv fLauncher;
    TInstallerSeal fSeal;
    TLoopbackServer fServer;
    TGate fGate;
    std::mutex fServedLock;
    std::string fManifest;
    int fManifestStatus = 200;
    std::string fServedInstaller;
    TRecorder fRecorder;
};

} // namespace

TEST_F(AutoUpdaterTest, TheCheckOffersOnlyAHigherBuild) {
    for (const int build : {11, 12, 13}) {
        ServeManifest({{"version", "2016.05.12"},
                       {"build", build},
                       {"url", {{"install", "https://update.example/files/Setup.exe"}}},
                       {"descriptions", {{"ru", "Исправления"}, {"en", "Fixes"}}}});
        TRecorder recorder;
        auto updater = MakeUpdater();
        recorder.Attach(*updater);
        updater->CheckUpdate();
        ASSERT_TRUE(recorder.WaitForResult()) << build;
        const auto results = recorder.Results();
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].first, build > 12) << build;
        EXPECT_EQ(results[0].second.AsString(), "2016.05.12 build " + std::to_string(build));
        EXPECT_EQ(results[0].second.Description("en"), "Fixes");
        EXPECT_EQ(results[0].second.fInstallURL, "https://update.example/files/Setup.exe");
        EXPECT_EQ(recorder.States(), (std::vector{Checking, None}));
        EXPECT_EQ(updater->State(), None);
    }
}

TEST_F(AutoUpdaterTest, AFailedCheckEndsInErrorAndStaysThere) {
    const struct {
        std::string URL;
        std::string Manifest;
        int Status;
        std::string Reason;
    } cases[] = {
        {fServer.Url(kUpdateManifestPath), R"({"build": 13})", 200,
         "the update address is not https: " + fServer.Url(kUpdateManifestPath)},
        {"", R"({"build": 13})", 404, "the update server answered HTTP 404"},
        {"", "<html>not json</html>", 200,
         "the update manifest cannot be read: the manifest is not JSON"},
        {"", R"({"build": "13"})", 200,
         "the update manifest cannot be read: \"build\" is not a 32-bit integer"},
        {std::string(kDeadOrigin) + kUpdateManifestPath, "", 200,
         "the update server cannot be read: "},
    };
    for (const auto& test : cases) {
        ServeText(test.Manifest);
        {
            std::lock_guard lock(fServedLock);
            fManifestStatus = test.Status;
        }
        TRecorder recorder;
        auto updater = MakeUpdater(test.URL);
        recorder.Attach(*updater);
        updater->CheckUpdate();
        ASSERT_TRUE(recorder.WaitForStates({Checking, Error})) << test.URL;
        EXPECT_TRUE(updater->ErrorText().starts_with(test.Reason)) << updater->ErrorText();
        // Neither a second check nor an update starts any more.
        updater->CheckUpdate();
        updater->Update(Release());
        EXPECT_EQ(updater->State(), Error);
        updater.reset();
        EXPECT_EQ(recorder.States(), (std::vector{Checking, Error})) << test.URL;
        EXPECT_TRUE(recorder.Results().empty());
    }
}

TEST_F(AutoUpdaterTest, AVerifiedInstallerIsStartedSilently) {
    auto updater = MakeUpdater();
    updater->Update(Release());
    ASSERT_TRUE(fRecorder.WaitForStates({Completed}));
    EXPECT_EQ(fRecorder.States(), (std::vector{Preparing, Downloading, Completed}));
    const auto installer = updater->Installer();
    ASSERT_TRUE(installer);
    ASSERT_TRUE(installer->Wait(platform::kWaitForever));
    EXPECT_EQ(installer->ExitCode(), 0);

    // In a folder of its own that only this user may enter, under the server's name.
    const auto folders = Downloads();
    ASSERT_EQ(folders.size(), 1u);
    test::ExpectOnlyTheUser(folders[0]);
    EXPECT_EQ(test::ReadAll(folders[0] / "Brivane 13.exe"), InstallerBytes());
    EXPECT_EQ(test::ReadAll(folders[0] / "Brivane 13.exe.arguments"), "/silent\n");
    const auto progress = fRecorder.Progress();
    ASSERT_FALSE(progress.empty());
    const auto size = static_cast<std::int64_t>(InstallerBytes().size());
    EXPECT_EQ(progress.back(), std::make_pair(size, size));
    // Completed is final.
    updater->Update(Release());
    updater->CheckUpdate();
    EXPECT_EQ(updater->State(), Completed);
}

TEST_F(AutoUpdaterTest, WithoutAKeyTheDigestDecides) {
    auto updater = MakeUpdater();
    updater->SetReleaseKey(std::nullopt);
    auto release = Release();
    release.fSignature.clear();
    updater->Update(release);
    ASSERT_TRUE(fRecorder.WaitForStates({Completed})) << updater->ErrorText();
    ASSERT_TRUE(updater->Installer());
    EXPECT_TRUE(updater->Installer()->Wait(platform::kWaitForever));
}

TEST_F(AutoUpdaterTest, AnInstallerThatFailsVerificationIsRemovedUnstarted) {
    std::string tampered = InstallerBytes();
    tampered.back() = '!';
    const auto otherKeys = GenerateKeyPair();
    const auto withKey = DecodePublicKey(fKeys.PublicKey);
    const struct {
        const char* Name;
        std::string Served;
        std::string Sha256;
        std::string Signature;
        std::optional<TPublicKey> Key;
        std::string Path;
        std::string Reason;
    } cases[] = {
        {"signature missing", InstallerBytes(), fSeal.Sha256, "", withKey, "/files/Setup.exe",
         "the installer was refused: the installer is not signed"},
        {"wrong key", InstallerBytes(), fSeal.Sha256, fSeal.Signature,
         DecodePublicKey(otherKeys.PublicKey), "/files/Setup.exe",
         "the installer was refused: the installer's signature is not valid"},
        {"tampered byte", tampered, "", fSeal.Signature, withKey, "/files/Setup.exe",
         "the installer was refused: the installer's signature is not valid"},
        {"digest mismatch", tampered, fSeal.Sha256, "", std::nullopt, "/files/Setup.exe",
         "the installer was refused: the installer's SHA-256 does not match the manifest"},
        {"digest mismatch beside a valid signature", InstallerBytes(), std::string(64, '0'),
         fSeal.Signature, withKey, "/files/Setup.exe",
         "the installer was refused: the installer's SHA-256 does not match the manifest"},
        {"no digest and no key", InstallerBytes(), "", fSeal.Signature, std::nullopt,
         "/files/Setup.exe",
         "the installer was refused: the manifest gives no SHA-256 of the installer"},
        {"no length", InstallerBytes(), fSeal.Sha256, fSeal.Signature, withKey,
         "/files/unsized.exe", "the installer's server announced no length"},
        {"missing", InstallerBytes(), fSeal.Sha256, fSeal.Signature, withKey, "/files/missing.exe",
         "the installer's server answered HTTP 404 Not Found"},
    };
    for (const auto& test : cases) {
        ServeInstaller(test.Served);
        TRecorder recorder;
        auto updater = MakeUpdater();
        recorder.Attach(*updater);
        updater->SetReleaseKey(test.Key);
        auto release = Release(test.Path);
        release.fSha256 = test.Sha256;
        release.fSignature = test.Signature;
        updater->Update(release);
        ASSERT_TRUE(recorder.WaitForStates({Error, None})) << test.Name;
        EXPECT_EQ(updater->ErrorText(), test.Reason) << test.Name;
        EXPECT_FALSE(updater->Installer()) << test.Name;
        EXPECT_TRUE(Downloads().empty()) << test.Name;
    }
}

TEST_F(AutoUpdaterTest, AnInstallerAddressWithoutHttpsIsNeverFetched) {
    for (const std::string& url :
         {fServer.Url("/files/Setup.exe"), std::string("http://update.example/files/Setup.exe"),
          std::string("ftp://update.example/Setup.exe"), std::string()}) {
        TRecorder recorder;
        auto updater = MakeUpdater();
        recorder.Attach(*updater);
        auto release = Release();
        release.fInstallURL = url;
        updater->Update(release);
        ASSERT_TRUE(recorder.WaitForStates({Error, None})) << url;
        EXPECT_EQ(updater->ErrorText(), "the installer address is not https: " + url);
        EXPECT_EQ(recorder.States(), (std::vector{Preparing, Error, None}));
        EXPECT_TRUE(Downloads().empty());
    }
}

TEST_F(AutoUpdaterTest, CancelStopsTheDownloadAndRemovesItsFolder) {
    auto updater = MakeUpdater();
    updater->Update(Release("/files/slow.exe"));
    ASSERT_TRUE(fRecorder.WaitForProgress());
    EXPECT_EQ(Downloads().size(), 1u); // the download's folder, while it runs
    // Nothing else starts while the update runs.
    updater->CheckUpdate();
    updater->Update(Release());
    EXPECT_EQ(updater->State(), Downloading);

    updater->Cancel();
    fGate.Release();
    ASSERT_TRUE(fRecorder.WaitForStates({Canceled, None}));
    EXPECT_EQ(fRecorder.States(), (std::vector{Preparing, Downloading, Canceled, None}));
    EXPECT_TRUE(Downloads().empty());
    EXPECT_FALSE(updater->Installer());
    EXPECT_LT(fRecorder.Progress().back().first, 256 * 1024);
}

TEST_F(AutoUpdaterTest, ItsOwnVersionReadsAsTheWindowShowsIt) {
    TAutoUpdater updater;
    updater.Init(UpdateManifestURL(), "2016.05.11", 12);
    EXPECT_EQ(updater.CurrentVersionAsString(), "2016.05.11 build 12");
    EXPECT_EQ(updater.CurrentVersion(), "2016.05.11");
    EXPECT_EQ(updater.CurrentBuild(), 12);
    EXPECT_EQ(updater.State(), None);
    EXPECT_TRUE(UpdateManifestURL().ends_with("/download/brivane/version.json"));
    EXPECT_TRUE(UpdateManifestURL().starts_with("https://"));
}
