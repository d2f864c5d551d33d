// Entries that read a publisher's page: the installer chosen by the system's
// architecture and the interface language, and how each finds its installed copy.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(PageEntriesTest, TheArchitecturePicksTheInstaller) {
    struct TCase {
        const char* Name;
        bool Windows64;
        const char* URL;
    };
    const TCase cases[] = {
        {"API Monitor", false, "https://www.rohitab.com/download/api-monitor-v2r13-setup-x86.exe"},
        {"BitComet", true, "https://download.bitcomet.com/achive/BitComet_1.44_x64_setup.exe"},
        {"Blender", false,
         "https://download.blender.org/release/Blender2.78/blender-2.78c-windows32.msi"},
        {"BOINC", false, "https://boinc.berkeley.edu/dl/boinc_7.6.33_windows_intelx86.exe"},
        {"Calibre", false, "https://download.calibre-ebook.com/2.78.0/calibre-2.78.0.msi"},
        {"Combined Community Codec Pack", false,
         "https://files.cccp-project.net/stable/Combined-Community-Codec-Pack-2015-10-18.exe"},
        {"CMake", true, "https://cmake.org/files/v3.7/cmake-3.7.2-win32-x86.msi"}, // one for both
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        machine.SetMachine({}, c.Windows64);
        const TBaseSoftware& entry = machine.CheckEntry(c.Name);
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Name;
        EXPECT_FALSE(entry.AvailableVersion().empty()) << c.Name;
    }
}

TEST(PageEntriesTest, TheInterfaceLanguagePicksArtMoneysInstaller) {
    TCatalogueEnvironment machine;
    TBaseSoftware& entry = machine.CatalogueEntry("ArtMoney SE");
    for (const auto& [language, url] : {
             std::pair{lRussian, "https://www.artmoney.ru/files/artmoney745_rus_se_setup.exe"},
             std::pair{lEnglish, "https://www.artmoney.ru/files/artmoney745_eng_se_setup.exe"},
             std::pair{lDefault, "https://www.artmoney.ru/files/artmoney745_eng_se_setup.exe"},
         }) {
        entry.Init();
        entry.Check(false, language);
        EXPECT_EQ(entry.DownloadURL(), url) << static_cast<int>(language);
        EXPECT_EQ(entry.AvailableVersion(), "7.45");
    }
}

TEST(PageEntriesTest, InstalledCopies) {
    struct TApp {
        const char* Name;
        const char* Version;
    };
    struct TCase {
        const char* Entry;
        std::vector<TApp> Apps;
        bool Installed;
        const char* Version;
    };
    const TCase cases[] = {
        // The highest among name matches, the first of equals.
        {"Audacity", {{"Audacity 2.1.1", "2.1.1"}, {"Audacity 2.0.6", "2.0.6"}}, true, "2.1.1"},
        {"Audacity", {{"Audacity", "2.0.6"}, {"Audacity 2.1.10", "2.1.10"}}, true, "2.1.10"},
        {"Audacity", {{"Audacity Portable", "2.1.1"}}, false, ""},
        {"Calibre", {{"calibre", "2.70.0"}, {"calibre 64bit", "2.78.0"}}, true, "2.78.0"},
        {"Calibre", {{"Calibre2Opds", "1.0"}}, false, ""},
        {"CMake", {{"CMake 3.6.1", "3.6.1"}, {"CMake", "3.7.2"}}, true, "3.7.2"},
        {"CMake", {{"CMake Tools", "3.7"}}, false, ""},
        {"Combined Community Codec Pack",
         {{"Combined Community Codec Pack 2015-10-18", "2015.10.18.0"},
          {"Combined Community Codec Pack 64bit 2014-06-01", "2014.6.1.0"}},
         true,
         "2015.10.18.0"},
        // The first name match; the version in the name wins.
        {"CPU-Z", {{"CPUID CPU-Z 1.77", "1.76"}}, true, "1.77"},
        {"CPU-Z", {{"CPU-Z", "1.77"}}, false, ""},
        {"ArtMoney SE", {{"ArtMoney SE v7.44", ""}}, true, "7.44"},
        {"ArtMoney SE", {{"ArtMoney PRO v7.44", "7.44"}}, false, ""},
        {"BitComet", {{"BitComet 1.44 (64-bit)", "1.44"}, {"BitComet 1.40", "1.40"}}, true, "1.44"},
        {"BitComet", {{"BitComet", "1.44"}}, false, ""},
        {"API Monitor", {{"API Monitor v2 (Alpha-r13)", "2.13"}}, true, "2.13"},
        {"API Monitor", {{"API Monitoring Studio", "1.0"}}, false, ""},
        // The display name, letter case aside.
        {"Arduino", {{"arduino", "1.8.0"}}, true, "1.8.0"},
        {"BOINC", {{"BOINC Manager", "7.6.33"}}, false, ""},
        // The number of the inventory's version text.
        {"Blender", {{"Blender", "2.78c"}}, true, "2.78"},
        {"Blender", {{"Blender", "v2.7"}}, true, "v2.7"},
        {"Blender", {{"Blender", ""}}, true, ""},
    };
    for (const auto& c : cases) {
        std::vector<TUninstallRecord> records;
        for (const TApp& app : c.Apps) {
            records.push_back({std::string(app.Name) + "_key", app.Name, app.Version, "", ""});
        }
        TCatalogueEnvironment machine;
        machine.SetMachine(records);
        TBaseSoftware& entry = machine.CatalogueEntry(c.Entry);
        entry.Init();
        const std::string what = std::string(c.Entry) + " / " + c.Apps.front().Name;
        EXPECT_EQ(entry.IsInstalled(), c.Installed) << what;
        EXPECT_EQ(entry.CurrentVersion(), c.Version) << what;
    }
}
