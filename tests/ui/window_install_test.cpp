// Installing from the window: the Install buttons hand the ticked rows to the controller,
// the main window gives way to the progress window while installers run, Cancel works in
// every phase, and the lists come back with the installed programs moved.

#include "app/localization.h"
#include "support/fake_launcher.h"
#include "ui/progress_window.h"
#include "window_fixture.h"

#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <future>
#include <map>

namespace brivane::test {
namespace {

using TNames = std::vector<std::string>;

// Each installer of the world (named after its page) records its program in the registry
// with the version it brings, as a real one would.
struct TInstallerEffect {
    const char* Name;
    const char* Version;
};
const std::map<std::string, TInstallerEffect> kInstallers = {
    {"7zip", {"7-Zip", "19.00"}},
    {"vlc", {"VLC media player", "3.0.8"}},
    {"audacity", {"Audacity", "2.3.0"}},
};

class TWindowInstallTest : public TWindowTest {
protected:
    TWindowInstallTest() {
        fWindow->SetProgressForm(&fProgressForm);
        fLauncher.SetOnStart([this](const std::filesystem::path& aFile) {
            if (const auto found = kInstallers.find(aFile.stem().string());
                found != kInstallers.end()) {
                SetInstalled(found->second.Name, found->second.Version);
            }
        });
        MakeWorld();
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
            return fController->Idle() && fWindow->DisplayMode() == dmList;
        });
    }

    // The row of aName among the shown rows of aList, or -1.
    int ShownIndex(TListMode aList, const std::string& aName) const {
        const auto names = ShownNames(aList);
        const auto found = std::find(names.begin(), names.end(), aName);
        return found == names.end() ? -1 : static_cast<int>(found - names.begin());
    }

    std::string CurrentVersion(TListMode aList, const std::string& aName) const {
        for (const auto& row : fWindow->Model(aList)) {
            if (row.Item.Name == aName) {
                return row.Item.CurrentVersion;
            }
        }
        return "(not listed)";
    }

    ui::TProgressForm fProgressForm;
    TFakeLauncher fLauncher;
};

TEST_F(TWindowInstallTest, UpdatesInstalledFromTheWindowMoveToActuals) {
    ShowWindow(Options());
    ASSERT_EQ(ShownNames(lmUpdates), (TNames{"7-Zip", "VLC media player"}));
    fWindow->SelectAll(lmUpdates);
    fWindow->InstallButton(lmUpdates)->click();

    // While the first installer runs, the progress window stands in for the main one.
    RunUntil([this] { return fLauncher.Started().size() == 1 && fProgressForm.Shown(); });
    EXPECT_FALSE(fWindow->isVisible());
    EXPECT_EQ(fProgressForm.InstallText(), "Installing software: 1 from 2");
    EXPECT_EQ(fProgressForm.InstallProgressMax(), 2);
    EXPECT_EQ(fProgressForm.DownloadText(), "Downloaded 100.0 %");
    FinishRun();

    EXPECT_EQ(fLauncher.Started().size(), 2u);
    EXPECT_TRUE(fWindow->isVisible());
    EXPECT_FALSE(fProgressForm.Shown());
    EXPECT_TRUE(ShownNames(lmUpdates).empty());
    EXPECT_EQ(CurrentVersion(lmActual, "7-Zip"), "19.00");
    EXPECT_EQ(CurrentVersion(lmActual, "VLC media player"), "3.0.8");
    // The launcher's progress went to the download's end and was switched off.
    ASSERT_FALSE(fTaskbar.Positions.empty());
    EXPECT_EQ(fTaskbar.Positions.back(), 0);
}

TEST_F(TWindowInstallTest, CancelInTheProgressWindowStartsNoFurtherInstaller) {
    ShowWindow(Options());
    fWindow->SelectAll(lmUpdates);
    fWindow->InstallButton(lmUpdates)->click();
    RunUntil([this] { return fLauncher.Started().size() == 1 && fProgressForm.Shown(); });
    fProgressForm.CancelButton()->click();
    EXPECT_EQ(fProgressForm.InstallText(), Localize("gc.installcancel"));
    FinishRun();

    EXPECT_EQ(fLauncher.Started().size(), 1u);
    EXPECT_TRUE(fWindow->isVisible());
    EXPECT_EQ(ShownNames(lmUpdates).size(), 1u);
}

TEST_F(TWindowInstallTest, CancelWhileLinksAreRetrievedInstallsNothing) {
    std::promise<void> gate;
    HoldPage("audacity", gate.get_future().share());
    MakeController(Options());
    fWindow->show();
    // The lists show while the library pass still checks Audacity, whose link is unknown.
    RunUntil([this] {
        return fWindow->DisplayMode() == dmList && ShownIndex(lmLibrary, "Audacity") >= 0;
    });
    fWindow->SetListMode(lmLibrary);
    fWindow->DeselectAll(lmLibrary);
    Click(fWindow->ListView(lmLibrary), ShownIndex(lmLibrary, "Audacity"), Qt::LeftButton);
    ASSERT_TRUE(fWindow->GetProgramChecked(fWindow->IndexOfProgram("Audacity")));

    // Once the retrieval waits on the main thread: Cancel as the user clicks it.
    bool cancelled = false;
    QTimer::singleShot(0, fWindow.get(), [this, &gate, &cancelled] {
        EXPECT_EQ(fWindow->DisplayMode(), dmProgress);
        EXPECT_EQ(fWindow->ProgressText(), Localize("gc.retrievinglinks"));
        ASSERT_TRUE(fWindow->CancelButton()->isVisible());
        fWindow->CancelButton()->click();
        cancelled = true;
        gate.set_value();
    });
    fWindow->InstallButton(lmLibrary)->click();
    EXPECT_TRUE(cancelled);
    RunUntil([this] { return fController->Idle(); });

    EXPECT_TRUE(fLauncher.Started().empty());
    EXPECT_EQ(fWindow->DisplayMode(), dmList);
    EXPECT_TRUE(fWindow->isVisible());
}

} // namespace
} // namespace brivane::test
