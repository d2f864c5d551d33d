// Installing from the window: the Install buttons hand the ticked rows to the controller,
// the main window gives way to the progress window while installers run, Cancel works in
// every phase, and the lists come back with the installed programs moved.

#include "app/localization.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"
#include "ui/progress_window.h"
#include "window_fixture.h"

#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <future>

namespace brivane::test {
namespace {

using TNames = std::vector<std::string>;

// The installers run as real processes through BRIVANE_LAUNCHER: a shell script of the
// test's own is put in front of each downloaded file. It waits until the test lets it
// go (the file "go", made before the run for an uninterrupted one), records the program
// its file stands for in the machine's registry file, as a real installer would, and
// leaves the file's name in a log.
constexpr const char* kInstallScript = R"(
name=$(basename "$1" .exe)
while [ ! -e "$(dirname "$0")/go" ]; do sleep 0.02; done
case "$name" in
  7zip) program="7-Zip"; version="19.00" ;;
  vlc) program="VLC media player"; version="3.0.8" ;;
  audacity) program="Audacity"; version="2.3.0" ;;
  *) exit 1 ;;
esac
printf '\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s]\n"DisplayName"="%s"\n"DisplayVersion"="%s"\n' \
  "$program" "$program" "$version" >> "$BRIVANE_REGISTRY"
echo "$name" >> "$(dirname "$0")/started"
)";

class TWindowInstallTest : public TWindowTest {
protected:
    TWindowInstallTest()
        : fScript(fMachine.Write("install.sh", kInstallScript)),
          fRegistryFile(fMachine.Write("machine.reg", "REGEDIT4\n")),
          fLauncherCommand("BRIVANE_LAUNCHER", ("/bin/sh " + fScript.string()).c_str()),
          fRegistrySource("BRIVANE_REGISTRY", fRegistryFile.c_str()) {
        fWindow->SetProgressForm(&fProgressForm);
        fRegistryFromPlatform = true;
        MakeWorld();
        // The world's installed programs, in the registry file the installers write to.
        std::string records = "REGEDIT4\n";
        for (const auto& [name, version] : {std::pair{"7-Zip", "16.02"},
                                            {"Firefox", "60.0"},
                                            {"VLC media player", "2.2.4"},
                                            {"GIMP", "2.10.8"}}) {
            records += "\n" + UninstallRecordText(name, name, version);
        }
        fMachine.Write("machine.reg", records);
    }

    void LetInstallersGo() { fMachine.Write("go", ""); }

    // The installers started so far, by the page their file is named after.
    TNames Started() const {
        std::ifstream in(fMachine.Path() / "started");
        TNames names;
        for (std::string line; std::getline(in, line);) {
            names.push_back(line);
        }
        return names;
    }

    // Until the run is over and the lists are back.
    void FinishRun() {
        RunUntil([this] { return fController->Idle() && fWindow->DisplayMode() == dmList; });
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

    TTempDir fMachine;
    std::filesystem::path fScript;
    std::filesystem::path fRegistryFile;
    TScopedEnv fLauncherCommand;
    TScopedEnv fRegistrySource;
    ui::TProgressForm fProgressForm;
};

TEST_F(TWindowInstallTest, UpdatesInstalledFromTheWindowMoveToActuals) {
    ShowWindow();
    ASSERT_EQ(ShownNames(lmUpdates), (TNames{"7-Zip", "VLC media player"}));
    fWindow->SelectAll(lmUpdates);
    fWindow->InstallButton(lmUpdates)->click();

    // While the first installer runs, the progress window stands in for the main one.
    RunUntil([this] { return fProgressForm.Shown(); });
    EXPECT_FALSE(fWindow->isVisible());
    EXPECT_EQ(fProgressForm.InstallText(), "Installing software: 1 from 2");
    EXPECT_EQ(fProgressForm.InstallProgressMax(), 2);
    EXPECT_EQ(fProgressForm.DownloadText(), "Downloaded 100.0 %");
    LetInstallersGo();
    FinishRun();

    EXPECT_EQ(Started().size(), 2u);
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
    ShowWindow();
    fWindow->SelectAll(lmUpdates);
    fWindow->InstallButton(lmUpdates)->click();
    RunUntil([this] { return fProgressForm.Shown(); });
    fProgressForm.CancelButton()->click();
    EXPECT_EQ(fProgressForm.InstallText(), Localize("gc.installcancel"));
    LetInstallersGo();
    FinishRun();

    EXPECT_EQ(Started().size(), 1u);
    EXPECT_TRUE(fWindow->isVisible());
    EXPECT_EQ(ShownNames(lmUpdates).size(), 1u);
}

TEST_F(TWindowInstallTest, CancelWhileLinksAreRetrievedInstallsNothing) {
    std::promise<void> gate;
    HoldPage("audacity", gate.get_future().share());
    MakeController();
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

    LetInstallersGo();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(fWindow->DisplayMode(), dmList);
    EXPECT_TRUE(fWindow->isVisible());
}

} // namespace
} // namespace brivane::test
