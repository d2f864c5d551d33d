#include "app/localization.h"
#include "catalogue/base_software.h"
#include "platform/folders.h"
#include "support/controller_fixture.h"
#include "support/fake_launcher.h"

#include <algorithm>

namespace brivane::test {
namespace {

using TNames = std::vector<std::string>;

// Installers start through the fake launcher; an "installer" of a program named in
// fInstalls records that program in the registry with its new version, as a real one
// would.
class TControllerInstallTest : public TControllerTest {
protected:
    TControllerInstallTest() {
        fLauncher.SetOnStart([this](const std::filesystem::path& aFile) {
            const auto name = aFile.stem().string();
            if (const auto found = fInstalls.find(name); found != fInstalls.end()) {
                SetInstalled(name, found->second);
            }
        });
    }

    // A test that failed half-way leaves installers running: they are ended, so that the
    // run ends and the controller can be taken down.
    ~TControllerInstallTest() override {
        if (fController) {
            fController->Stop();
            FinishRun();
        }
    }

    TControllerOptions Options() {
        TControllerOptions options;
        options.Download.StartProgram = fLauncher.Start();
        return options;
    }

    // The started installers are ended one by one as they come, until the run is over.
    void FinishRun() {
        RunUntil([this] {
            fLauncher.EndAll();
            return fController->Idle();
        });
    }

    // The recorded progress texts, in order, that start with aPrefix.
    TNames Texts(const std::string& aPrefix) const {
        TNames texts;
        for (const auto& call : fView.Calls()) {
            if (call.starts_with("ProgressText " + aPrefix)) {
                texts.push_back(call.substr(std::string_view("ProgressText ").size()));
            }
        }
        return texts;
    }

    std::filesystem::path Downloads() const { return platform::GetDownloadsFolder(); }

    TFakeLauncher fLauncher;
    std::map<std::string, std::string> fInstalls; // program: the version its installer brings
};

TEST_F(TControllerInstallTest, UpdatesMoveToActualsWithTheirNewVersion) {
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        SetInstalled(name, "1.0");
        SetPage(name, "2.0");
        AddEntry(name);
        fInstalls[name] = "2.0";
    }
    Start(Options());
    ASSERT_EQ(Names(fView.Updates()), (TNames{"Alpha", "Beta", "Gamma"}));
    fView.SetUpdateChecked(1, false); // Beta stays as it is
    fView.ClearCalls();

    fView.InstallUpdates();
    FinishRun();

    EXPECT_EQ(fController->StartedInstallers().size(), 2u);
    EXPECT_EQ(Names(fView.Updates()), TNames{"Beta"});
    ASSERT_EQ(Names(fView.Actuals()), (TNames{"Alpha", "Gamma"}));
    for (const auto& row : fView.Actuals()) {
        EXPECT_EQ(row.Item.CurrentVersion, "2.0") << row.Item.Name;
    }
    // Initialisation counted job by job, the download to its end, the installers.
    EXPECT_EQ(Texts("Initialization"),
              (TNames{"Initialization: 50.0 %", "Initialization: 100.0 %"}));
    ASSERT_FALSE(Texts("Downloaded").empty());
    EXPECT_EQ(Texts("Downloaded").back(), "Downloaded 100.0 %");
    const auto& window = dynamic_cast<const TBasicProgressView&>(fView.ProgressWindow());
    EXPECT_EQ(window.InstallText(), "Installing software: 2 from 2");
    EXPECT_EQ(window.InstallProgressMax(), 2);
    EXPECT_EQ(window.DownloadText(), "Downloaded 100.0 %");
    EXPECT_FALSE(window.Visible());
    EXPECT_TRUE(fView.Visible());
    EXPECT_EQ(fView.DisplayMode(), dmList);
    EXPECT_EQ(fView.TaskbarProgressPosition(), 0);
    EXPECT_EQ(fView.OffMainThreadCalls(), 0);
    // The installers stay in the download folder under their own names.
    EXPECT_TRUE(std::filesystem::exists(Downloads() / "Alpha.exe"));
    EXPECT_TRUE(std::filesystem::exists(Downloads() / "Gamma.exe"));
    EXPECT_FALSE(std::filesystem::exists(Downloads() / "Beta.exe"));
}

TEST_F(TControllerInstallTest, NothingTickedOrNoLinkStartsNothing) {
    SetInstalled("Alpha", "1.0");
    SetPage("Alpha", "2.0");
    AddEntry("Alpha");
    AddEntry("Gone"); // its page is missing: no link
    Start(Options());
    fView.SetUpdateChecked(0, false);
    fView.ClearCalls();
    fView.InstallUpdates();
    fView.SetProgramChecked(0, true);
    fView.InstallPrograms();
    WaitIdle();
    EXPECT_TRUE(fLauncher.Started().empty());
    EXPECT_TRUE(fController->StartedInstallers().empty());
    EXPECT_TRUE(Texts("Initialization").empty());
    EXPECT_EQ(Names(fView.Programs()), TNames{"Gone"});
    EXPECT_EQ(fView.DisplayMode(), dmList);
}

TEST_F(TControllerInstallTest, LibraryLinksAreRetrievedWithoutCheckingAnEntryTwiceAtOnce) {
    SetPage("Lib", "3.0");
    std::promise<void> gate;
    HoldPage("Lib", gate.get_future().share());
    auto* lib = AddEntry("Lib");
    fInstalls["Lib"] = "3.0";
    MakeController(Options());
    ASSERT_TRUE(CallOnStart(fView));
    // The lists show while the library pass still checks Lib.
    RunUntil([this] { return fView.DisplayMode() == dmList && fView.ProgramsCount() == 1; });
    fView.SetProgramChecked(0, true);
    // Runs once the link retrieval waits, serving the main thread.
    fLoop->Post([&gate] { gate.set_value(); });
    fView.InstallPrograms();
    EXPECT_EQ(Texts("Retrieving download links").size(), 1u);
    FinishRun();

    EXPECT_EQ(lib->Checks(), 1);
    EXPECT_FALSE(lib->Overlapped());
    EXPECT_EQ(fController->StartedInstallers(), TNames{"Lib"});
    EXPECT_TRUE(fView.Programs().empty());
    ASSERT_EQ(Names(fView.Actuals()), TNames{"Lib"});
    EXPECT_EQ(fView.Actuals()[0].Item.CurrentVersion, "3.0");
}

TEST_F(TControllerInstallTest, CancelDuringLinkRetrievalInstallsNothing) {
    SetPage("Lib", "3.0");
    std::promise<void> gate;
    HoldPage("Lib", gate.get_future().share());
    AddEntry("Lib");
    MakeController(Options());
    ASSERT_TRUE(CallOnStart(fView));
    RunUntil([this] { return fView.DisplayMode() == dmList && fView.ProgramsCount() == 1; });
    fView.SetProgramChecked(0, true);
    fLoop->Post([this, &gate] {
        EXPECT_TRUE(fView.CancelVisible());
        fView.Cancel();
        EXPECT_FALSE(fView.CancelVisible()); // hidden at once
        gate.set_value();
    });
    fView.InstallPrograms();
    WaitIdle();
    EXPECT_EQ(fView.ProgressText(), Localize("gc.retrievinglinkscancel"));
    EXPECT_EQ(fView.DisplayMode(), dmList);
    EXPECT_TRUE(fView.CancelVisible());
    EXPECT_TRUE(fLauncher.Started().empty());
    EXPECT_TRUE(Texts("Initialization").empty());
    EXPECT_EQ(Names(fView.Programs()), TNames{"Lib"});
}

TEST_F(TControllerInstallTest, CancelBetweenInstallersStartsNoMore) {
    for (const char* name : {"Alpha", "Beta"}) {
        SetInstalled(name, "1.0");
        SetPage(name, "2.0");
        AddEntry(name);
        fInstalls[name] = "2.0";
    }
    Start(Options());
    fView.InstallUpdates();
    RunUntil([this] { return fLauncher.Started().size() == 1; });
    RunUntil([this] {
        return dynamic_cast<const TBasicProgressView&>(fView.ProgressWindow()).Visible();
    });
    auto& window = dynamic_cast<TBasicProgressView&>(fView.ProgressWindow());
    EXPECT_FALSE(fView.Visible());
    window.Cancel();
    EXPECT_EQ(window.InstallText(), Localize("gc.installcancel"));
    EXPECT_EQ(window.DownloadText(), Localize("gc.downloadcancel"));
    FinishRun();

    EXPECT_EQ(fLauncher.Started().size(), 1u);
    EXPECT_EQ(fController->StartedInstallers().size(), 1u);
    // The cancel's texts stayed; the one program installed moved, the other did not.
    EXPECT_EQ(window.InstallText(), Localize("gc.installcancel"));
    EXPECT_EQ(fView.Updates().size(), 1u);
    EXPECT_EQ(fView.Actuals().size(), 1u);
    EXPECT_TRUE(fView.Visible());
    // Only the installer that ran is left in the download folder.
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(Downloads())) {
        files.push_back(entry.path().filename());
    }
    EXPECT_EQ(files, std::vector<std::filesystem::path>{fLauncher.Started()[0].File.filename()});
}

} // namespace
} // namespace brivane::test
