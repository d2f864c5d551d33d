#include "install/installer.h"

#include "net/http_helpers.h"
#include "support/fake_launcher.h"
#include "support/installer_site.h"
#include "support/temp_dir.h"
#include "support/wait_condition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brivane::install {
namespace {

using namespace std::chrono_literals;
using test::Served;
using test::TServedFile;
using TStrings = std::vector<std::string>;

// For a state no event announces (a file removed): asks again every few milliseconds.
template <class TPredicate>
bool Eventually(TPredicate aPredicate) {
    for (int i = 0; i < 3000; ++i) {
        if (aPredicate()) {
            return true;
        }
        std::this_thread::sleep_for(10ms);
    }
    return aPredicate();
}

// A queue over the test's site and fake launcher that records its events as
// "Init Name 1/3", "Download Name 2/3", "Install Name 1/2", "Start", "Stop", and the
// last download progress.
class InstallerTest : public ::testing::Test {
protected:
    // A test that failed half-way leaves installers running: they are ended, so that the
    // queue, which waits for a started installer, lets the test end instead of hanging.
    ~InstallerTest() override {
        if (fInstaller) {
            fInstaller->Stop();
            fLauncher.EndAll();
            fInstaller.reset();
        }
    }

    void Make(int aMaxThread) {
        TProgrammOptions options;
        options.StartProgram = fLauncher.Start();
        options.CreateClient = [] {
            auto client = net::CreateDownloadClient();
            client->SetResponseTimeout(5s);
            return client;
        };
        fInstaller =
            std::make_unique<TInstaller>(fDir.Path() / "Downloads", aMaxThread, std::move(options));
        const auto record = [this](const char* aWhat) {
            return [this, aWhat](TProgramm& aJob, std::int64_t aPosition, std::int64_t aMax) {
                Record(std::string(aWhat) + " " + aJob.Name() + " " + std::to_string(aPosition) +
                       "/" + std::to_string(aMax));
            };
        };
        fInstaller->SetOnInit(record("Init"));
        fInstaller->SetOnDownload(record("Download"));
        fInstaller->SetOnInstall(record("Install"));
        fInstaller->SetOnDownloadProgress(
            [this](TProgramm& aJob, std::int64_t aPosition, std::int64_t aMax) {
                {
                    std::lock_guard lock(fLock);
                    EXPECT_GE(aPosition, fLastProgress.first);
                    fLastProgress = {aPosition, aMax};
                    ++fProgressEvents;
                }
                if (OnProgress) {
                    OnProgress(aJob);
                }
                fChanged.Poke();
            });
        fInstaller->SetOnInstallStart([this](TInstaller&) {
            {
                std::lock_guard lock(fLock);
                fLastProgress = {0, 0}; // each run counts afresh
            }
            Record("Start");
        });
        fInstaller->SetOnInstallStop([this](TInstaller&) { Record("Stop"); });
    }

    TInstallItem Item(const std::string& aName, const std::string& aPath,
                      std::int64_t aKnownSize = 0) {
        return {aName, TDownloadParams::Create(fSite.Url(aPath), {}, aKnownSize)};
    }

    void Record(std::string aEvent) {
        {
            std::lock_guard lock(fLock);
            fEvents.push_back(std::move(aEvent));
        }
        fChanged.Poke();
    }

    TStrings Events() {
        std::lock_guard lock(fLock);
        return fEvents;
    }

    // The recorded events that start with aPrefix.
    TStrings Events(const std::string& aPrefix) {
        TStrings selected;
        for (auto& event : Events()) {
            if (event.starts_with(aPrefix)) {
                selected.push_back(std::move(event));
            }
        }
        return selected;
    }

    bool Seen(const std::string& aEvent) {
        const auto events = Events();
        return std::find(events.begin(), events.end(), aEvent) != events.end();
    }

    bool WaitFor(const std::string& aEvent) {
        return fChanged.WaitFor([&] { return Seen(aEvent); });
    }

    std::vector<std::filesystem::path> DownloadedFiles() {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(fInstaller->DownloadDir())) {
            files.push_back(entry.path().filename());
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    test::TInstallerSite fSite;
    test::TTempDir fDir;
    test::TFakeLauncher fLauncher;
    test::TWaitCondition fChanged;
    std::function<void(TProgramm&)> OnProgress; // set before the run
    std::mutex fLock;
    TStrings fEvents;
    std::pair<std::int64_t, std::int64_t> fLastProgress{0, 0};
    int fProgressEvents = 0;
    std::unique_ptr<TInstaller> fInstaller;
};

TEST_F(InstallerTest, CreationEmptiesTheDownloadFolderOfFilesOnly) {
    fDir.Write("Downloads/old-setup.exe", "old");
    fDir.Write("Downloads/Dow1A2B.tmp", "partial");
    fDir.Write("Downloads/folder/kept.txt", "kept");
    Make(5);
    EXPECT_EQ(DownloadedFiles(), std::vector<std::filesystem::path>{"folder"});
    EXPECT_TRUE(std::filesystem::exists(fDir / "Downloads" / "folder" / "kept.txt"));

    // A folder that does not exist yet is made with its parents.
    TInstaller deeper(fDir / "a" / "b" / "Downloads", 5);
    EXPECT_TRUE(std::filesystem::is_directory(fDir / "a" / "b" / "Downloads"));
}

TEST_F(InstallerTest, EmptyRunOnlyStartsAndStops) {
    Make(5);
    fInstaller->Run({});
    ASSERT_TRUE(WaitFor("Stop"));
    EXPECT_EQ(Events(), (TStrings{"Start", "Stop"}));
    EXPECT_EQ(fInstaller->ProgrammCount(), 0);
}

TEST_F(InstallerTest, SmallestFirstAndFailuresNeverStart) {
    fSite.Serve("/big.exe", Served(std::string(30'000, 'b')));
    fSite.Serve("/small.exe", Served(std::string(5'000, 's')));
    fSite.Serve("/missing.exe", Served("", 404));
    Make(1); // one download at a time: the order is the queue's alone
    fInstaller->Run(
        {Item("Big", "/big.exe"), Item("Missing", "/missing.exe"), Item("Small", "/small.exe")});
    ASSERT_TRUE(fLauncher.WaitForStarts(1));
    fLauncher.EndAll();
    ASSERT_TRUE(fLauncher.WaitForStarts(2));
    fLauncher.EndAll();
    ASSERT_TRUE(WaitFor("Stop"));

    // Initialised in parallel, counted as they finish; each download counted too.
    EXPECT_EQ(Events("Init").size(), 3u);
    EXPECT_TRUE(Events("Init").back().ends_with(" 3/3")) << Events("Init").back();
    EXPECT_EQ(Events("Download"),
              (TStrings{"Download Missing 1/3", "Download Small 2/3", "Download Big 3/3"}));
    EXPECT_EQ(Events("Install"), (TStrings{"Install Small 1/3", "Install Big 2/3"}));
    EXPECT_EQ(Events().front(), "Start");
    EXPECT_EQ(Events().back(), "Stop");
    // The failed one never downloads a byte; the others in size order.
    TStrings downloads;
    for (const auto& request : fSite.Log()) {
        if (request == "GET /small.exe" || request == "GET /big.exe" ||
            request == "GET /missing.exe") {
            downloads.push_back(request);
        }
    }
    // (The missing one's GET is the Init's, after its HEAD failed.)
    EXPECT_EQ(downloads, (TStrings{"GET /missing.exe", "GET /small.exe", "GET /big.exe"}));

    EXPECT_EQ(fInstaller->StartedNames(), (TStrings{"Small", "Big"}));
    const auto started = fLauncher.Started();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].File.filename(), "small.exe");
    EXPECT_EQ(started[0].Bytes, std::string(5'000, 's'));
    EXPECT_EQ(started[1].File.filename(), "big.exe");
    // Every byte was reported, so the progress ends at the total.
    std::lock_guard lock(fLock);
    EXPECT_EQ(fLastProgress, std::make_pair(std::int64_t{35'000}, std::int64_t{35'000}));
}

TEST_F(InstallerTest, OneInstallerAtATime) {
    fSite.Serve("/a.exe", Served(std::string(1'000, 'a')));
    fSite.Serve("/b.exe", Served(std::string(2'000, 'b')));
    Make(5);
    fInstaller->Run({Item("A", "/a.exe"), Item("B", "/b.exe")});
    ASSERT_TRUE(fLauncher.WaitForStarts(1));
    // Both downloads are done, yet the second installer waits for the first to end.
    ASSERT_TRUE(fChanged.WaitFor([&] { return Events("Download").size() == 2; }));
    EXPECT_EQ(fLauncher.Started().size(), 1u);
    EXPECT_FALSE(Seen("Stop"));
    fLauncher.EndAll();
    ASSERT_TRUE(fLauncher.WaitForStarts(2));
    EXPECT_FALSE(Seen("Stop"));
    fLauncher.EndAll();
    ASSERT_TRUE(WaitFor("Stop"));
    const auto started = fLauncher.Started();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_NE(started[0].File, started[1].File);
    const auto installs = Events("Install");
    ASSERT_EQ(installs.size(), 2u);
    EXPECT_TRUE(installs[0].ends_with(" 1/2") && installs[1].ends_with(" 2/2"));
    EXPECT_EQ(DownloadedFiles(), (std::vector<std::filesystem::path>{"a.exe", "b.exe"}));
}

TEST_F(InstallerTest, StopDuringDownloadsCancelsThemAndReportsNoMore) {
    // Announced as one byte by its HEAD, so it is downloaded first; its GET never ends.
    TServedFile endless;
    endless.Endless = true;
    endless.HeadLengthZero = true;
    fSite.Serve("/endless.exe", endless);
    fSite.Serve("/later1.exe", Served(std::string(100, 'l')));
    fSite.Serve("/later2.exe", Served(std::string(200, 'l')));
    Make(1);
    std::atomic<bool> stopped{false};
    OnProgress = [&](TProgramm&) {
        if (!stopped.exchange(true)) {
            fInstaller->Stop(); // on the download worker, as a Cancel button may come any time
        }
    };
    fInstaller->Run({Item("Endless", "/endless.exe", 1), Item("Later1", "/later1.exe"),
                     Item("Later2", "/later2.exe")});
    ASSERT_TRUE(WaitFor("Stop"));
    EXPECT_EQ(fSite.Requests("GET", "/endless.exe"), 1);
    // Downloads not started never start; the cancelled one is not reported.
    EXPECT_EQ(fSite.Requests("GET", "/later1.exe"), 0);
    EXPECT_EQ(fSite.Requests("GET", "/later2.exe"), 0);
    EXPECT_TRUE(Events("Download").empty());
    EXPECT_TRUE(fLauncher.Started().empty());
    // Nothing of the run is left once the queue goes.
    fInstaller.reset();
    EXPECT_TRUE(std::filesystem::is_empty(fDir / "Downloads"));
}

TEST_F(InstallerTest, StopWhileAnInstallerRunsWaitsForIt) {
    TServedFile endless;
    endless.Endless = true;
    fSite.Serve("/small.exe", Served(std::string(10, 's')));
    fSite.Serve("/endless.exe", endless);
    Make(5);
    fInstaller->Run({Item("Endless", "/endless.exe"), Item("Small", "/small.exe")});
    ASSERT_TRUE(WaitFor("Install Small 1/2"));
    fInstaller->Stop();
    // The endless download ends, cancelled, its file removed; the run waits for the
    // installer all the same.
    ASSERT_TRUE(Eventually(
        [&] { return DownloadedFiles() == std::vector<std::filesystem::path>{"small.exe"}; }));
    EXPECT_FALSE(Seen("Stop"));
    fLauncher.EndAll();
    ASSERT_TRUE(WaitFor("Stop"));
    EXPECT_EQ(Events("Install"), TStrings{"Install Small 1/2"});

    // The next run starts afresh.
    fSite.Serve("/next.exe", Served(std::string(10, 'n')));
    fInstaller->Run({Item("Next", "/next.exe")});
    ASSERT_TRUE(fLauncher.WaitForStarts(2));
    fLauncher.EndAll();
    ASSERT_TRUE(fChanged.WaitFor([&] { return Events("Stop").size() == 2; }));
    EXPECT_EQ(Events("Install"), (TStrings{"Install Small 1/2", "Install Next 1/1"}));
    EXPECT_EQ(fInstaller->StartedNames(), TStrings{"Next"});
    // The old run's files are gone with its jobs; the new installer is in place.
    EXPECT_TRUE(std::filesystem::exists(fInstaller->DownloadDir() / "next.exe"));
}

TEST_F(InstallerTest, FailingHandlersChangeNothing) {
    fSite.Serve("/a.exe", Served(std::string(10, 'a')));
    Make(5);
    const auto fail = [](TProgramm&, std::int64_t, std::int64_t) {
        throw std::runtime_error("handler failure");
    };
    fInstaller->SetOnInit(fail);
    fInstaller->SetOnDownload(fail);
    fInstaller->SetOnDownloadProgress(fail);
    fInstaller->SetOnInstallStart([](TInstaller&) { throw std::runtime_error("start"); });
    fInstaller->Run({Item("A", "/a.exe")});
    ASSERT_TRUE(fLauncher.WaitForStarts(1));
    fLauncher.EndAll();
    ASSERT_TRUE(WaitFor("Stop"));
    EXPECT_EQ(Events("Install"), TStrings{"Install A 1/1"});
}

} // namespace
} // namespace brivane::install
