#pragma once
// A controller under test: a data folder of its own, the task runtime with the test
// thread as main thread, a loopback server with one page per catalogue entry and an
// installer behind each, a registry made from the installed programs the test names,
// and the recording view.

#include "app/controller.h"
#include "app/settings.h"
#include "support/loopback_server.h"
#include "support/page_software.h"
#include "support/recording_view.h"
#include "support/site_fixtures.h"
#include "support/temp_dir.h"
#include "tasks/task_runtime.h"
#include "tasks/waking_main_loop.h"

#include <gtest/gtest.h>

#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brivane::test {

// The installer every page points at: its date and length as the server gives them.
inline constexpr std::int64_t kInstallerSize = kFixtureInstallerSize;
inline constexpr const char* kInstallerDate = kFixtureInstallerDate;

class TControllerTest : public ::testing::Test {
protected:
    TControllerTest();
    // With the main-thread dispatcher of another front end (a window's); such a test
    // overrides RunUntil to run that front end's loop.
    explicit TControllerTest(IMainThreadDispatcherPtr aDispatcher);
    ~TControllerTest() override;

    // What the entry's page offers: a version (another one when beta versions are
    // asked for), or, with aStatus other than 200, an error.
    void SetPage(const std::string& aName, const std::string& aVersion,
                 const std::string& aBetaVersion = {}, int aStatus = 200);
    // The page answers only once aGate is ready.
    void HoldPage(const std::string& aName, std::shared_future<void> aGate);
    // An installed program in the inventory (from the next inventory read on).
    void SetInstalled(const std::string& aName, const std::string& aVersion);
    // A static cache file beside the test program, so that the entry reads its caches.
    void WriteStaticCache(const std::string& aName);

    // Entries to register when the controller starts, in this order.
    TPageSoftware* AddEntry(const std::string& aName, TSoftwareLicense aLicense = slFreeware);
    TPageSoftware* AddEntry(std::unique_ptr<TPageSoftware> aEntry);
    // The address of the entry's page (names are letters, digits and hyphens).
    std::string PageURL(const std::string& aName) const;

    // Makes the controller and registers the entries.
    void MakeController(TControllerOptions aOptions = {});
    // MakeController, then calls the start hook with the view
    // and waits until the start sequence and the library pass have ended.
    void Start(TControllerOptions aOptions = {});
    // Runs the main loop until the controller is idle / until aDone holds.
    void WaitIdle();
    virtual void RunUntil(const std::function<bool()>& aDone);

    static std::vector<std::string> Names(const std::vector<TListRow>& aRows);
    std::filesystem::path DynamicCacheFile(const std::string& aName) const;

    TTempDir fData;
    TScopedEnv fDataHome;
    TScopedEnv fLocale{"LC_ALL", "C"};
    std::shared_ptr<TWakingMainLoop> fLoop = std::make_shared<TWakingMainLoop>();
    TTaskRuntime fRuntime;
    TLoopbackServer fServer;
    std::shared_ptr<TConfig> fConfig;
    TRecordingView fView;
    std::unique_ptr<TController> fController;
    // The controller reads the registry the platform names (--registry, BRIVANE_REGISTRY)
    // instead of the programs given to SetInstalled.
    bool fRegistryFromPlatform = false;

private:
    struct TPage {
        std::string Version;
        std::string BetaVersion;
        int Status = 200;
        std::shared_future<void> Gate;
    };

    std::mutex fPagesLock; // the server's threads read the pages
    std::map<std::string, TPage> fPages;
    // Read by the controller's inventory reads, on its threads.
    struct TRegistryText {
        std::mutex Lock;
        std::string Text = "Windows Registry Editor Version 5.00\n\n";
        int Count = 0;
    };
    std::shared_ptr<TRegistryText> fRegistry = std::make_shared<TRegistryText>();
    std::vector<std::unique_ptr<TPageSoftware>> fPending;
    std::vector<std::filesystem::path> fStaticCaches;
};

} // namespace brivane::test
