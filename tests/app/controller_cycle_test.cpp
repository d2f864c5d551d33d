#include "app/localization.h"
#include "base/date_time.h"
#include "catalogue/program_info.h"
#include "platform/folders.h"
#include "support/controller_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brivane::test {
namespace {

using TControllerCycleTest = TControllerTest;
using TNames = std::vector<std::string>;

TDateTime InstallerDate() {
    return UnixToLocalDateTime(*ParseHttpDate(kInstallerDate));
}

TEST_F(TControllerCycleTest, SortsTheEntriesIntoTheThreeLists) {
    SetInstalled("Old", "1.0");
    SetPage("Old", "2.0");
    SetInstalled("Current", "2.0.0.0");
    SetPage("Current", "2.0");
    SetInstalled("Newer", "3.0");
    SetPage("Newer", "2.9");
    SetInstalled("Unchecked", "1.0");
    SetPage("Unchecked", "", "", 404);
    SetPage("Lib", "1.5");
    std::vector<TPageSoftware*> entries;
    for (const char* name : {"Lib", "Newer", "Old", "Unchecked", "Current"}) {
        entries.push_back(AddEntry(name));
    }
    Start();

    EXPECT_EQ(Names(fView.Updates()), TNames{"Old"});
    EXPECT_EQ(Names(fView.Actuals()), (TNames{"Newer", "Unchecked", "Current"}));
    EXPECT_EQ(Names(fView.Programs()), TNames{"Lib"});

    const auto& update = fView.Updates()[0];
    EXPECT_TRUE(update.Checked); // new versions are ticked for installation
    EXPECT_EQ(update.Item.CurrentVersion, "1.0");
    EXPECT_EQ(update.Item.AvailableVersion, "2.0");
    EXPECT_EQ(update.Item.Size, kInstallerSize);
    EXPECT_EQ(update.Item.UpdateDate, InstallerDate());
    EXPECT_EQ(update.Item.Category, scSystem);
    for (const auto& actual : fView.Actuals()) {
        EXPECT_FALSE(actual.Checked);
        EXPECT_EQ(actual.Item.AvailableVersion, "") << actual.Item.Name;
        EXPECT_EQ(actual.Item.Size, 0) << actual.Item.Name;
        // The one whose check found nothing is told apart from those verified.
        EXPECT_EQ(actual.Item.Problem.Kind,
                  actual.Item.Name == "Unchecked" ? TCheckProblem::HttpStatus : TCheckProblem::None)
            << actual.Item.Name;
    }
    EXPECT_EQ(fView.Actuals()[0].Item.CurrentVersion, "3.0");
    const auto& program = fView.Programs()[0];
    EXPECT_EQ(program.Item.CurrentVersion, "");
    EXPECT_EQ(program.Item.AvailableVersion, "1.5");
    EXPECT_EQ(program.Item.Size, kInstallerSize);

    // Every entry checked once: the installed ones by the update pass, the other one
    // by the library pass, whose result replaced its row.
    for (const auto* entry : entries) {
        EXPECT_EQ(entry->Checks(), 1) << entry->Info().Name();
        EXPECT_FALSE(entry->Overlapped()) << entry->Info().Name();
    }
    EXPECT_EQ(fView.Count("SetProgram Lib"), 1);
    EXPECT_EQ(fView.ListMode(), lmUpdates);
    EXPECT_EQ(fView.DisplayMode(), dmList);
    EXPECT_EQ(fView.OffMainThreadCalls(), 0);
}

TEST_F(TControllerCycleTest, ShowsTheSplashThenCountsTheUpdatePass) {
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        SetInstalled(name, "1.0");
        SetPage(name, "1.0");
        AddEntry(name);
    }
    Start();

    const auto& calls = fView.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], "Progress 0.000000");
    EXPECT_EQ(calls[1], "ProgressText " + Localize("gc.searchinstalled"));
    EXPECT_EQ(calls[2], "DisplayMode 0");
    EXPECT_EQ(fView.Count("ProgressText " + Localize("checkupdate")), 1);
    EXPECT_EQ(fView.Count("ProgressState " + std::to_string(psIndeterminate)), 1);

    // 20 % per check, in order, then back to 0 when the pass is over.
    std::vector<float> steps;
    for (const float value : fView.ProgressValues()) {
        if (value > 0) {
            steps.push_back(value);
        }
    }
    EXPECT_EQ(steps, (std::vector<float>{20, 40, 60, 80, 100}));
    EXPECT_EQ(fView.ProgressValues().back(), 0);
    EXPECT_EQ(fView.ListMode(), lmActual);
}

TEST_F(TControllerCycleTest, WithNothingInstalledTheLibraryShows) {
    SetPage("Lib", "1.0");
    const auto* entry = AddEntry("Lib");
    Start();

    EXPECT_EQ(fView.ListMode(), lmLibrary);
    EXPECT_EQ(fView.Count("ProgressText " + Localize("checkupdate")), 1);
    // No update pass: its progress never moved.
    for (const float value : fView.ProgressValues()) {
        EXPECT_EQ(value, 0);
    }
    EXPECT_EQ(entry->Checks(), 1);
}

TEST_F(TControllerCycleTest, TheFilterKeepsTheNamedEntryInAnyLetterCase) {
    struct Case {
        std::vector<std::string> filter;
        TNames updates;
        TNames programs;
        TListMode mode;
    };
    const Case cases[] = {
        {{"lib"}, {}, {"Lib"}, lmLibrary},
        {{"OLD"}, {"Old"}, {}, lmUpdates},
        {{"Unknown"}, {}, {}, lmLibrary},
        {{}, {"Old"}, {"Lib"}, lmUpdates},
    };
    SetInstalled("Old", "1.0");
    SetPage("Old", "2.0");
    SetPage("Lib", "1.0");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter.empty() ? "no filter" : c.filter[0]);
        AddEntry("Old");
        auto* lib = AddEntry("Lib");
        TControllerOptions options;
        options.CatalogueFilter = c.filter;
        Start(std::move(options));

        EXPECT_EQ(Names(fView.Updates()), c.updates);
        EXPECT_TRUE(fView.Actuals().empty());
        EXPECT_EQ(Names(fView.Programs()), c.programs);
        EXPECT_EQ(fView.ListMode(), c.mode);
        EXPECT_EQ(lib->Checks(), c.programs.empty() ? 0 : 1); // a removed entry is not checked
        fController.reset();
    }
}

TEST_F(TControllerCycleTest, TheIntroductionPlaysAtTheFirstListDisplayOnly) {
    SetPage("Lib", "1.0");
    AddEntry("Lib");
    Start();
    EXPECT_EQ(fView.HelpPlayed(), 1);
    EXPECT_EQ(fConfig->FindBoolean(kFirstRun), true);

    // The next list display, here after a change of the shareware setting.
    fView.SetAllowShareware(true);
    fView.ConfigChanged();
    WaitIdle();
    EXPECT_EQ(fView.HelpPlayed(), 1);
    EXPECT_EQ(fConfig->FindBoolean(kFirstRun), false);
}

TEST_F(TControllerCycleTest, TheIntroductionDoesNotPlayAtALaterStart) {
    fConfig->SetBoolean(kFirstRun, true);
    AddEntry("Lib");
    Start();
    EXPECT_EQ(fView.HelpPlayed(), 0);
    EXPECT_EQ(fConfig->FindBoolean(kFirstRun), false);
}

TEST_F(TControllerCycleTest, TheDynamicCacheOutlivesAFailedCheck) {
    WriteStaticCache("Cached");
    WriteStaticCache("CachedLib");
    SetInstalled("Cached", "1.0");
    SetPage("Cached", "7.0");
    SetPage("CachedLib", "5.0");
    SetPage("Lib", "3.0");
    AddEntry("Cached");
    AddEntry("CachedLib");
    AddEntry("Lib");
    Start();
    EXPECT_EQ(fView.Updates().at(0).Item.Problem.Kind, TCheckProblem::None);

    // Written after each check, installed or not.
    ASSERT_TRUE(std::filesystem::exists(DynamicCacheFile("Cached")));
    ASSERT_TRUE(std::filesystem::exists(DynamicCacheFile("Lib")));
    const auto cached = TProgramInfo::LoadFromCacheFiles(
        platform::GetExecutableFolder() / "Cache" / "Cached", DynamicCacheFile("Cached"));
    EXPECT_EQ(cached.AvailableVersion, "7.0");
    EXPECT_EQ(cached.Size, kInstallerSize);
    EXPECT_EQ(cached.UpdateDate, InstallerDate());
    fController.reset();

    // The next start: the publishers' pages fail. A Library row shows the last known
    // values, and why they are not this run's.
    SetPage("Cached", "", "", 500);
    SetPage("CachedLib", "", "", 500);
    AddEntry("Cached");
    AddEntry("CachedLib");
    Start();
    ASSERT_EQ(Names(fView.Programs()), TNames{"CachedLib"});
    const auto& library = fView.Programs()[0].Item;
    EXPECT_EQ(library.AvailableVersion, "5.0");
    EXPECT_EQ(library.Size, kInstallerSize);
    EXPECT_EQ(library.UpdateDate, InstallerDate());
    EXPECT_EQ(library.InformationEn, "About CachedLib");
    EXPECT_EQ(library.Problem.Kind, TCheckProblem::HttpStatus);
    EXPECT_EQ(library.Problem.Status, 500);

    // The installed program is no update on the strength of a version cached by an
    // earlier run (there is nothing to download), nor is it shown as verified.
    EXPECT_TRUE(fView.Updates().empty());
    ASSERT_EQ(Names(fView.Actuals()), TNames{"Cached"});
    const auto& actual = fView.Actuals()[0].Item;
    EXPECT_EQ(actual.AvailableVersion, "");
    EXPECT_EQ(actual.Size, 0);
    EXPECT_EQ(actual.Problem.Kind, TCheckProblem::HttpStatus);
    EXPECT_EQ(actual.Problem.Address, PageURL("Cached"));
    EXPECT_EQ(fController->GetSoftwareByName("Cached")->DownloadURL(), "");
}

// An entry that cannot be compared, as a broken definition might be.
class TUncomparable final : public TPageSoftware {
public:
    using TPageSoftware::TPageSoftware;
    int CompareVersions(const std::string&, const std::string&, int) override {
        throw std::runtime_error("cannot compare");
    }
};

TEST_F(TControllerCycleTest, AnEntryThatCannotBeListedLeavesTheOthersListed) {
    for (const char* name : {"Broken", "Good"}) {
        SetInstalled(name, "1.0");
        SetPage(name, "2.0");
    }
    AddEntry(std::make_unique<TUncomparable>("Broken", PageURL("Broken")));
    AddEntry("Good");
    Start();
    EXPECT_EQ(Names(fView.Updates()), TNames{"Good"});
    EXPECT_TRUE(fView.Actuals().empty());
}

} // namespace
} // namespace brivane::test
