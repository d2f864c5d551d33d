#include "catalogue/software_information.h"
#include "platform/registry_files/file_registry.h"
#include "support/registry_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace brivane {

// Readable failures: an item prints as its five fields.
void PrintTo(const TApplicationItem& aItem, std::ostream* aOut) {
    *aOut << "{" << aItem.Name << " | " << aItem.Version << " | " << aItem.Icon << " | "
          << aItem.InstallLocation << " | " << aItem.UninstallString << "}";
}

bool operator==(const TApplicationItem& aLeft, const TApplicationItem& aRight) {
    return aLeft.Name == aRight.Name && aLeft.Version == aRight.Version &&
           aLeft.Icon == aRight.Icon && aLeft.InstallLocation == aRight.InstallLocation &&
           aLeft.UninstallString == aRight.UninstallString;
}

namespace test {
namespace {

using Items = std::vector<TApplicationItem>;

std::shared_ptr<platform::IRegistry> OpenFrom(platform::TRegistrySourceKind aKind,
                                              const std::filesystem::path& aPath) {
    return platform::registry_files::OpenRegistryFrom({aKind, aPath, "test"});
}

class SoftwareInformationTest : public ::testing::Test {
protected:
    // The Windows user's folder comes from the registry, not from this process.
    TScopedEnv fAppData{"APPDATA", nullptr};
    TScopedEnv fAppDataLower{"appdata", nullptr};
};

TEST_F(SoftwareInformationTest, ReadsAWinePrefixInTheOrderOfFirstAppearance) {
    const auto registry =
        OpenFrom(platform::TRegistrySourceKind::WinePrefix, RegistryFixture("wine64"));
    ASSERT_TRUE(registry->GetWarnings().empty()) << registry->GetWarnings().front();
    const Items expected = {
        // The user's hive first, its record winning over the machine's same one.
        {"Shared Tool", "2.0", "", "C:\\User", ""},
        {"User App", "", "", "", ""},
        // The machine's 32-bit view before its 64-bit one.
        {"7-Zip 23.01 (x64)", "23.01", "C:\\Program Files (x86)\\7-Zip\\7zFM.exe", "", ""},
        {"Notepad++ (32-bit x86)", "8.6", "%ProgramFiles(x86)%\\Notepad++\\notepad++.exe", "", ""},
        {"Plain", "3.1", "", "", ""},
        {"Tool", "1.5", "", "", ""},
        {"Tool", "2.0 beta", "", "", ""},
        // Product codes without an icon take their installer product's.
        {"Office Tools", "16.0", "c:\\program files\\office tools\\tools.ico", "", ""},
        {"Per-User Thing", "", "c:\\icons\\thing.ico", "", ""},
        {"Медиаплеер", "1.2.3", "C:\\users\\tester\\AppData\\Roaming\\player\\icon.ico", "", ""},
        {"Not A Code", "", "", "", ""},
    };
    EXPECT_EQ(ReadInstalledApplications(*registry), expected);
}

TEST_F(SoftwareInformationTest, ReadsARegeditExport) {
    TTempDir dir;
    const auto registry = OpenFrom(platform::TRegistrySourceKind::ExportFile,
                                   WriteWindows10Export(dir / "export.reg"));
    ASSERT_TRUE(registry->GetWarnings().empty()) << registry->GetWarnings().front();
    const std::string telegram = "C:\\Users\\Тестер\\AppData\\Roaming\\Telegram Desktop\\";
    const Items expected = {
        {"Телеграм Desktop", "4.14.9", telegram + "Telegram.exe,0", telegram,
         telegram + "unins000.exe"},
        {"Notepad++ (32-bit x86)", "8.6", "C:\\Program Files (x86)\\Notepad++\\notepad++.exe", "",
         ""},
        {"7-Zip 23.01 (x64)", "23.01", "C:\\Program Files\\7-Zip\\7zFM.exe",
         "C:\\Program Files\\7-Zip\\", "C:\\Program Files\\7-Zip\\Uninstall.exe"},
        {"Медиаплеер", "1.2.3", "C:\\Users\\Тестер\\AppData\\Roaming\\player\\icon.ico", "", ""},
        {"VLC media player", "3.0.20", "%ProgramFiles%\\VideoLAN\\VLC\\vlc.exe,0", "",
         "%ProgramFiles%\\VideoLAN\\VLC\\uninstall.exe"},
    };
    EXPECT_EQ(ReadInstalledApplications(*registry), expected);
}

// An installer's icon under %APPDATA% is in the registry's own user's folder, whatever
// account reads the registry.
TEST_F(SoftwareInformationTest, ExpandsAppDataOfTheRegistrysUser) {
    TScopedEnv appData("APPDATA", "D:\\Roaming");
    const auto registry =
        OpenFrom(platform::TRegistrySourceKind::WinePrefix, RegistryFixture("wine64"));
    const auto items = ReadInstalledApplications(*registry);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[9].Icon, "C:\\users\\tester\\AppData\\Roaming\\player\\icon.ico");
}

TEST_F(SoftwareInformationTest, ThirtyTwoBitSystemListsEachRecordOnce) {
    const auto registry = WineRegistry(R"(WINE REGISTRY Version 2
#arch=win32

[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App] 1
"DisplayName"="App"
"DisplayVersion"="1"
)");
    EXPECT_EQ(ReadInstalledApplications(*registry), (Items{{"App", "1", "", "", ""}}));
}

TEST_F(SoftwareInformationTest, CleansPathsAndTrimsAllButTheIcon) {
    const auto registry = WineRegistry(R"(WINE REGISTRY Version 2
[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\A] 1
"DisplayName"=" \tA "
"DisplayVersion"=" 1.0 "
"DisplayIcon"=" \"a\\\\\\b\" "
"InstallLocation"="  \"C:\\\"\\Dir\\\\\"  "
"UninstallString"="\"C:\\\\\\\\Two\\\\\\\\Pairs\" /S"
)");
    EXPECT_EQ(ReadInstalledApplications(*registry),
              (Items{{"A", "1.0", " a\\\\b ", "C:\\Dir\\", "C:\\\\Two\\\\Pairs /S"}}));
}

TEST_F(SoftwareInformationTest, SnapshotHeldByACallerSurvivesInit) {
    const auto first = WineRegistry(R"(WINE REGISTRY Version 2
#arch=win32
[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\A] 1
"DisplayName"="A"
)");
    const auto second = WineRegistry(R"(WINE REGISTRY Version 2
#arch=win64
[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\B] 1
"DisplayName"="B"
[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\C] 1
"DisplayName"="C"
)");
    int opened = 0;
    TSoftwareInformation software([&] { return opened++ == 0 ? first : second; });
    EXPECT_FALSE(software.IsWindows64());
    const TApplicationArray before = software.GetApplications();
    software.Init();
    EXPECT_EQ(*before, (Items{{"A", "", "", "", ""}}));
    EXPECT_EQ(software.GetApplications()->size(), 2u);
    EXPECT_FALSE(software.IsWindows64()); // fixed when created
}

TEST_F(SoftwareInformationTest, ReadersSeeWholeSnapshotsWhileInitRuns) {
    const auto registry =
        OpenFrom(platform::TRegistrySourceKind::WinePrefix, RegistryFixture("wine64"));
    TSoftwareInformation software([&] { return registry; });
    EXPECT_TRUE(software.IsWindows64());
    const std::size_t size = software.GetApplications()->size();
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20; ++i) {
            software.Init();
        }
        done = true;
    });
    std::size_t reads = 0;
    while (!done || reads == 0) {
        const TApplicationArray snapshot = software.GetApplications();
        ASSERT_EQ(snapshot->size(), size);
        EXPECT_EQ(snapshot->front().Name, "Shared Tool");
        ++reads;
    }
    writer.join();
}

TEST(ApplicationItemTest, SameItemComparesNameAndVersionIgnoringCase) {
    const TApplicationItem item{"Медиаплеер", "1.0 Beta", "a.ico", "", ""};
    EXPECT_TRUE(SameApplicationItem(item, {"МЕДИАПЛЕЕР", "1.0 BETA", "other.ico", "x", "y"}));
    EXPECT_FALSE(SameApplicationItem(item, {"Медиаплеер", "1.0", "", "", ""}));
    EXPECT_LT(CompareApplicationItems({"A", "1", "", "", ""}, {"a", "2", "", "", ""}), 0);
    TApplicationItem copy = item;
    const TApplicationItem changed = copy.SetVersion("2.0");
    EXPECT_EQ(copy.Version, "2.0");
    EXPECT_EQ(changed.Version, "2.0");
    EXPECT_EQ(changed.Name, item.Name);
}

} // namespace
} // namespace test
} // namespace brivane
