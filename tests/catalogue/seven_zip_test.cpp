#include "catalogue/catalogue_table.h"
#include "platform/executable_files.h"
#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

// The publisher's home page with a pre-release and a release, and the release's
// 64-bit installer.
class SevenZipTest : public ::testing::Test {
protected:
    void SetUp() override {
        Serve(SiteFixture("www.7-zip.org/index.html"));
        fMachine.Server().Get("/www.7-zip.org/a/7z1602-x64.exe", [](const httplib::Request&,
                                                                    httplib::Response& aResponse) {
            aResponse.set_content(std::string(1500, 'x'), "application/octet-stream");
        });
    }

    void Serve(std::string aPage) { fMachine.ServeText("/www.7-zip.org/", std::move(aPage)); }

    TBaseSoftware& Checked(bool aCheckBetaVersion) {
        return fMachine.CheckEntry("7-Zip", aCheckBetaVersion);
    }

    TCatalogueEnvironment fMachine;
};

// The page without its pre-release section.
std::string WithoutPreRelease(std::string aPage) {
    const auto start = aPage.find("<P><B>Download 7-Zip 16.03 beta");
    const auto end = aPage.find("</TABLE>", start) + 8;
    return aPage.erase(start, end - start);
}

} // namespace

TEST_F(SevenZipTest, ReleaseAndTheInstallerForA64BitSystem) {
    const TBaseSoftware& entry = Checked(false);
    EXPECT_EQ(entry.AvailableVersion(), "16.02");
    EXPECT_EQ(entry.DownloadURL(), "https://www.7-zip.org/a/7z1602-x64.exe");
    EXPECT_FALSE(entry.IsBeta());
    EXPECT_EQ(entry.Size(), 1500);
    EXPECT_EQ(entry.Info().Category(), scSystem);
}

TEST_F(SevenZipTest, ThirtyTwoBitSystemGetsTheX86Installer) {
    fMachine.SetMachine({}, /*aWindows64=*/false);
    const TBaseSoftware& entry = Checked(false);
    EXPECT_EQ(entry.AvailableVersion(), "16.02");
    EXPECT_EQ(entry.DownloadURL(), "https://www.7-zip.org/a/7z1602.exe");
}

TEST_F(SevenZipTest, PreReleaseWhenAskedForWithoutBeingFlagged) {
    const TBaseSoftware& beta = Checked(true);
    EXPECT_EQ(beta.AvailableVersion(), "16.03");
    EXPECT_EQ(beta.DownloadURL(), "https://www.7-zip.org/a/7z1603-x64.exe");
    EXPECT_FALSE(beta.IsBeta());

    Serve(WithoutPreRelease(SiteFixture("www.7-zip.org/index.html")));
    const TBaseSoftware& release = Checked(true);
    EXPECT_EQ(release.AvailableVersion(), "16.02");
    EXPECT_EQ(release.DownloadURL(), "https://www.7-zip.org/a/7z1602-x64.exe");
}

TEST_F(SevenZipTest, DamagedPagesGiveWhatTheyCan) {
    const std::string page = WithoutPreRelease(SiteFixture("www.7-zip.org/index.html"));
    const auto tableEnd = page.find("</TABLE>");
    std::string noLink = page;
    for (auto at = noLink.find("64-bit x64"); at != std::string::npos;
         at = noLink.find("64-bit x64")) {
        noLink.replace(at, 10, "ARM64");
    }
    struct TCase {
        const char* Name;
        std::string Page;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {"truncated in the table", page.substr(0, tableEnd), "", ""},
        {"truncated in the heading", page.substr(0, page.find("(2016-05-21)")), "", ""},
        {"empty", "", "", ""},
        {"other page", "<html><body><h1>Moved</h1></body></html>", "", ""},
        {"no installer for the system", noLink, "16.02", ""},
    };
    for (const auto& c : cases) {
        Serve(c.Page);
        const TBaseSoftware& entry = Checked(false);
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Name;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Name;
    }
}

TEST_F(SevenZipTest, VersionFromTheNameIsWrittenBackIntoTheInventory) {
    fMachine.SetMachine({
        {"A", "7-Zip File Manager", "1.0", "", ""},
        {"B", "7-Zip 16.02 (x64)", "", "", "C:\\Program Files\\7-Zip\\"},
        {"C", "7-Zip 9.20", "9.20", "", ""},
    });
    const TApplicationArray before = fMachine.System().GetInstalledApplications();
    ASSERT_EQ(before->size(), 3u);
    ASSERT_EQ((*before)[1].Version, "");

    TBaseSoftware& entry = fMachine.CatalogueEntry("7-Zip");
    entry.Init();
    EXPECT_TRUE(entry.IsInstalled());
    EXPECT_EQ(entry.CurrentVersion(), "16.02");
    const TApplicationArray after = fMachine.System().GetInstalledApplications();
    ASSERT_EQ(after->size(), 3u);
    EXPECT_EQ((*after)[1].Name, "7-Zip 16.02 (x64)");
    EXPECT_EQ((*after)[1].Version, "16.02");
    EXPECT_EQ((*after)[1].InstallLocation, "C:\\Program Files\\7-Zip\\");
    EXPECT_EQ((*after)[0].Version, "1.0");
    EXPECT_EQ((*after)[2].Version, "9.20");
    EXPECT_EQ((*before)[1].Version, ""); // a snapshot handed out earlier stays as it was
    EXPECT_EQ(fMachine.System().GetApplicationsByName("7-Zip 16.02 (x64)")[0].Version, "16.02");

    entry.RefreshCurrentVersion();
    EXPECT_EQ(entry.CurrentVersion(), "16.02");
}

TEST_F(SevenZipTest, InstalledCopyNeedsAVersionInTheName) {
    fMachine.SetMachine({
        {"A", "7-Zip", "16.02", "", ""},
        {"B", "7-Zip x64", "16.02", "", ""},
    });
    TBaseSoftware& entry = fMachine.CatalogueEntry("7-Zip");
    entry.Init();
    EXPECT_FALSE(entry.IsInstalled());
    EXPECT_EQ(entry.CurrentVersion(), "");
}

TEST_F(SevenZipTest, IconFromTheFolderInTheUsersSettings) {
    fMachine.WriteDriveFile("Program Files/7-Zip/7zFM.exe", BuildPeFile(SampleProgram()).Bytes);
    fMachine.SetMachine({{"7-Zip", "7-Zip 16.02 (x64)", "16.02", "", ""}});
    fMachine.SetUserValue("Software\\7-Zip", "Path", "C:\\Program Files\\7-Zip");
    TBaseSoftware& entry = fMachine.CatalogueEntry("7-Zip");
    entry.Init();
    const platform::TWindowsPathResolver files = platform::CurrentWindowsPathResolver();
    const std::string icon =
        platform::LoadIconFromLocation(files, "C:\\Program Files\\7-Zip\\7zFM.exe");
    ASSERT_FALSE(icon.empty());
    ASSERT_NE(icon, platform::DefaultApplicationIcon());
    EXPECT_EQ(entry.Info().Icon(), icon);
}

TEST_F(SevenZipTest, IconWithoutTheFileManagerIsTheDefaultOne) {
    fMachine.SetMachine({{"7-Zip", "7-Zip 16.02 (x64)", "16.02", "", ""}});
    fMachine.SetUserValue("Software\\7-Zip", "Path", "C:\\Program Files\\7-Zip");
    TBaseSoftware& entry = fMachine.CatalogueEntry("7-Zip");
    entry.Init();
    EXPECT_EQ(entry.Info().Icon(), platform::DefaultApplicationIcon());
}

TEST_F(SevenZipTest, IconFolderComesFromTheInspectedMachineNotTheCurrentSource) {
    fMachine.WriteDriveFile("Program Files/7-Zip/7zFM.exe", BuildPeFile(SampleProgram()).Bytes);
    fMachine.SetMachine({{"7-Zip", "7-Zip 16.02 (x64)", "16.02", "", ""}});
    fMachine.SetUserValue("Software\\7-Zip", "Path", "C:\\Program Files\\7-Zip");
    TBaseSoftware& entry = fMachine.CatalogueEntry("7-Zip");
    // The registry source changes after the machine was read: the entry keeps to it.
    const TScopedEnv elsewhere("BRIVANE_REGISTRY", "/nonexistent/prefix");
    entry.Init();
    EXPECT_TRUE(entry.IsInstalled());
    ASSERT_TRUE(entry.Info().Icon().has_value());
    EXPECT_NE(entry.Info().Icon(), platform::DefaultApplicationIcon());
}

TEST_F(SevenZipTest, AnEntryNeverRegisteredSeesAnEmptyMachine) {
    fMachine.SetMachine({{"7-Zip", "7-Zip 16.02 (x64)", "16.02", "", ""}});
    ASSERT_EQ(fMachine.System().GetInstalledApplications()->size(), 1u);
    const auto entry = CatalogueFactories()[0]();
    ASSERT_EQ(entry->Info().Name(), "7-Zip");
    entry->Init();
    EXPECT_FALSE(entry->IsInstalled());
    EXPECT_EQ(entry->CurrentVersion(), "");
}
