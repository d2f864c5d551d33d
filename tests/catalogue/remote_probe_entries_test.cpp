// Entries whose version is read out of the installer itself: behind a fixed link
// (IObit, Skype), behind a link found on a page (ICQ, Wire), or when a directory page
// states none (Advanced IP Scanner).

#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kBinary = "application/octet-stream";
constexpr const char* kScannerPage =
    "download.cnet.com/Advanced-IP-Scanner/3000-2085_4-75415345.html";

class RemoteProbeEntriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ServeInstaller("/update.iobit.com/dl/advanced-systemcare-setup.exe", "9.1.2.7");
        ServeInstaller("/download.skype.com/SkypeSetupFull.exe", "7.24.0.104");
        ServeInstaller("/download.skype.com/SkypeSetupPreview.exe", "7.25.0.50");
        fMachine.ServeText("/icq.com/windows/", SiteFixture("icq.com/windows/index.html"));
        fMachine.ServeText(std::string("/") + kScannerPage, SiteFixture(kScannerPage));
    }

    void ServeInstaller(const std::string& aPath, const std::string& aVersion) {
        fMachine.ServeText(aPath, ProgramWithVersion(aVersion), kBinary);
    }

    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(RemoteProbeEntriesTest, IObitCountsTwoComponents) {
    fMachine.SetMachine({{"ASC", "Advanced SystemCare 9", "9.1.0.5", "", ""}});
    TBaseSoftware& entry = fMachine.CheckEntry("IObit Advanced SystemCare");
    EXPECT_TRUE(entry.IsInstalled());
    EXPECT_EQ(entry.AvailableVersion(), "9.1.2.7");
    EXPECT_EQ(entry.DownloadURL(), "https://update.iobit.com/dl/advanced-systemcare-setup.exe");
    EXPECT_EQ(entry.CompareVersions("9.1.0.5", "9.1.2.7", 4), 0);
    EXPECT_EQ(entry.CompareVersions("9.1.9.9", "9.2.0.0", 4), -1);
    EXPECT_EQ(entry.CompareVersions("10.0", "9.9", 4), 2);
}

TEST_F(RemoteProbeEntriesTest, PageWithoutTheInstallerLinkFindsNothing) {
    fMachine.ServeText("/icq.com/windows/",
                       "<a href=\"https://mra.mail.ru/icq_mac/icq.dmg\">Mac</a>");
    const TBaseSoftware& entry = fMachine.CheckEntry("ICQ");
    EXPECT_EQ(entry.AvailableVersion(), "");
    EXPECT_EQ(entry.DownloadURL(), "");
}

TEST_F(RemoteProbeEntriesTest, WireTakesTheProductVersion) {
    const TBaseSoftware& entry = fMachine.CheckEntry("Wire");
    EXPECT_EQ(entry.AvailableVersion(), "2.11.2661");
    EXPECT_EQ(entry.DownloadURL(), "https://wire-app.wire.com/win/prod/WireSetup.exe");
}

TEST_F(RemoteProbeEntriesTest, SkypePreviewOnlyWhenNewer) {
    fMachine.SetMachine(
        {{"Skype", "Skype\u2122 7.24", "7.24.104", "", "C:\\Program Files\\Skype"}});
    fMachine.WriteDriveFile("Program Files/Skype/Phone/Skype.exe", ProgramWithVersion("7.23.0.1"));
    const TBaseSoftware& preview = fMachine.CheckEntry("Skype", true);
    EXPECT_EQ(preview.CurrentVersion(), "7.23.0.1");
    EXPECT_EQ(preview.AvailableVersion(), "7.25.0.50");
    EXPECT_EQ(preview.DownloadURL(), "https://download.skype.com/SkypeSetupPreview.exe");
    EXPECT_TRUE(preview.IsBeta());

    for (const char* version : {"7.24.0.104", "7.20.0.1"}) { // a tie or older
        ServeInstaller("/download.skype.com/SkypeSetupPreview.exe", version);
        const TBaseSoftware& release = fMachine.CheckEntry("Skype", true);
        EXPECT_EQ(release.AvailableVersion(), "7.24.0.104") << version;
        EXPECT_EQ(release.DownloadURL(), "https://download.skype.com/SkypeSetupFull.exe");
        EXPECT_FALSE(release.IsBeta());
    }

    // A preview installer that cannot be read is no preview.
    fMachine.ServeText("/download.skype.com/SkypeSetupPreview.exe", "MZ", kBinary);
    EXPECT_EQ(fMachine.CheckEntry("Skype", true).AvailableVersion(), "7.24.0.104");
}

TEST_F(RemoteProbeEntriesTest, DirectoryPageWithoutVersionLeavesItToTheInstaller) {
    std::string page = SiteFixture(kScannerPage);
    page.replace(page.find("2.4.3021"), 8, "");
    fMachine.ServeText(std::string("/") + kScannerPage, page);
    fMachine.Server().Get("/download.advanced-ip-scanner.com/download/files/.*",
                          [](const httplib::Request&, httplib::Response& aResponse) {
                              aResponse.set_content(ProgramWithVersion("2.4.3036.0"), kBinary);
                          });
    const TBaseSoftware& entry = fMachine.CheckEntry("Advanced IP Scanner");
    EXPECT_EQ(entry.AvailableVersion(), "2.4.3036.0");
    EXPECT_EQ(entry.DownloadURL(), "https://download.advanced-ip-scanner.com/download/files/"
                                   "Advanced_IP_Scanner_2.4.3021.exe");
}
