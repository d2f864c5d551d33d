#include "platform/files.h"
#include "platform/folders.h"
#include "support/controller_fixture.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

using TControllerRegistryTest = TControllerTest;

std::vector<std::string> EntryNames(const std::vector<TBaseSoftware*>& aList) {
    std::vector<std::string> names;
    for (const auto* software : aList) {
        names.push_back(software->Info().Name());
    }
    return names;
}

TEST_F(TControllerRegistryTest, RegistersInOrderAndFindsNamesExactly) {
    auto* first = AddEntry("AIMP");
    AddEntry("7-Zip");
    AddEntry("AIMP"); // the same name again: the first one registered is found
    MakeController();
    EXPECT_EQ(Controller(), fController.get());
    fController->RegisterSoftware(nullptr);

    EXPECT_EQ(EntryNames(fController->GetSoftwareList()),
              (std::vector<std::string>{"AIMP", "7-Zip", "AIMP"}));
    EXPECT_EQ(fController->GetSoftwareByName("AIMP"), first);
    EXPECT_EQ(fController->GetSoftwareByName("aimp"), nullptr);
    EXPECT_EQ(fController->GetSoftwareByName("Unknown"), nullptr);

    fController.reset();
    EXPECT_EQ(Controller(), nullptr);
}

TEST_F(TControllerRegistryTest, FindsInstalledApplicationsIgnoringCase) {
    SetInstalled("aimp", "4.0");
    SetInstalled("Other", "1.0");
    SetInstalled("AIMP", "5.0");
    SetInstalled("Медиаплеер", "1.2");
    MakeController();

    const auto found = fController->GetApplicationsByName("AIMP");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Version, "4.0");
    EXPECT_EQ(found[1].Version, "5.0");
    ASSERT_EQ(fController->GetApplicationsByName("МЕДИАПЛЕЕР").size(), 1u);
    EXPECT_TRUE(fController->GetApplicationsByName("AIMP 5").empty());
    EXPECT_EQ(fController->GetInstalledApplications()->size(), 4u);
}

TEST_F(TControllerRegistryTest, SnapshotKeepsEntriesTheFilterRemoved) {
    AddEntry("Alpha");
    AddEntry("Beta");
    TControllerOptions options;
    options.CatalogueFilter = {"beta"};
    MakeController(std::move(options));
    const auto before = fController->GetSoftwareList();

    ASSERT_TRUE(CallOnStart(fView));
    WaitIdle();

    EXPECT_EQ(EntryNames(before), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(EntryNames(fController->GetSoftwareList()), (std::vector<std::string>{"Beta"}));
    EXPECT_EQ(before[0]->Info().Name(), "Alpha"); // still alive
}

TEST_F(TControllerRegistryTest, StartsByRemovingLeftoverTemporaryFiles) {
    const auto folder = platform::GetExecutableFolder() / "Cache";
    const auto dynamic = platform::GetAppDataFolder() / "Cache";
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const struct {
        std::filesystem::path Path;
        bool Removed;
        bool Old = false; // last written an hour ago
    } cases[] = {
        {folder / "controller-test-leftover.tmp", true},
        {folder / "controller-test-upper.TMP", true},
        {folder / "controller-test-mixed.Tmp", true},
        {folder / "controller-test-kept.dat", false},
        {folder / "controller-test-kept.tmp.dat", false},
        {folder / "controller-test-folder" / "inner.tmp", false}, // subfolders stay unsearched
        // A name that cannot be deleted as a file is skipped, and the sweep goes on.
        {folder / "controller-test-undeletable.tmp" / "inner", false},
        // What atomic writes of the dynamic cache and the settings left after a crash.
        {dynamic / ".7-Zip.dyn.a1B2c3", true, true},
        {platform::GetAppDataFolder() / ".Config.dat.Xy9Z0q", true, true},
        {dynamic / ".7-Zip.dyn.d4E5f6", false}, // young: maybe a write in progress
        {dynamic / ".hidden", false, true},
        {dynamic / "7-Zip.dyn", false, true},
    };
    for (const auto& test : cases) {
        platform::WriteFileAtomically(test.Path, "x");
        if (test.Old) {
            std::filesystem::last_write_time(test.Path, old);
        }
    }
    MakeController();
    for (const auto& test : cases) {
        EXPECT_EQ(std::filesystem::exists(test.Path), !test.Removed) << test.Path;
    }
    for (const auto& test : cases) {
        std::filesystem::remove(test.Path);
    }
    std::filesystem::remove_all(folder / "controller-test-folder");
    std::filesystem::remove_all(folder / "controller-test-undeletable.tmp");
}

TEST(DebugFilterTest, TakesTheNameAfterDebug) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> filter;
    };
    const Case cases[] = {
        {{"debug", "7-Zip"}, {"7-Zip"}},
        {{"debug", "7-Zip", "more"}, {"7-Zip"}},
        {{"Debug", "7-Zip"}, {}},
        {{"debug"}, {}},
        {{}, {}},
        {{"7-Zip", "debug"}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DebugFilterFromArguments(c.arguments), c.filter) << c.arguments.size();
    }
}

} // namespace
} // namespace brivane::test
