// Entries that read a publisher's page: the release date written on the page
// (DAEMON Tools Lite) and the Referer an installer link found on a page needs
// (SpeedFan).

#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kDaemonPage = "/www.daemon-tools.cc/download/daemon";

std::string DaemonPage(const std::string& aDate) {
    return "<ul><li><span>Version:</span> <b>10.4.0.0200</b></li><li><span>Date:</span> <b>" +
           aDate +
           "</b></li></ul><a class=\"btn\" href=\"/download/DTLiteInstaller.exe\">Download</a>";
}

} // namespace

TEST(DaemonToolsLiteTest, ReleaseDateFromThePage) {
    TCatalogueEnvironment machine;
    const TBaseSoftware& entry = machine.CheckEntry("DAEMON Tools Lite");
    EXPECT_EQ(entry.AvailableVersion(), "10.4.0.0200");
    EXPECT_EQ(entry.DownloadURL(), "https://www.daemon-tools.cc/download/DTLiteInstaller.exe");
    EXPECT_EQ(entry.UpdateDate(), EncodeDateTime(2016, 3, 22)); // not the installer's date
    EXPECT_EQ(entry.Size(), kFixtureInstallerSize);
}

TEST(DaemonToolsLiteTest, PageDates) {
    const TDateTime installerDate = UnixToLocalDateTime(*ParseHttpDate(kFixtureInstallerDate));
    struct TCase {
        const char* Date;
        TDateTime Expected;
    };
    const TCase cases[] = {
        {"february 29, 2016", EncodeDateTime(2016, 2, 29)},
        {"12/03/2016", installerDate}, // no date of that shape: the installer's
        {"", installerDate},
    };
    TCatalogueEnvironment machine;
    for (const auto& c : cases) {
        machine.ServeText(kDaemonPage, DaemonPage(c.Date));
        const TBaseSoftware& entry = machine.CheckEntry("DAEMON Tools Lite");
        EXPECT_EQ(entry.AvailableVersion(), "10.4.0.0200") << c.Date;
        EXPECT_EQ(entry.UpdateDate(), c.Expected) << c.Date;
    }
}

TEST(DaemonToolsLiteTest, AMisspeltOrImpossibleDateFindsNothingAtAll) {
    TCatalogueEnvironment machine;
    for (const char* date : {"Mrach 22, 2016", "February 30, 2016", "March 22, 99999999999"}) {
        machine.ServeText(kDaemonPage, DaemonPage(date));
        const TBaseSoftware& entry = machine.CheckEntry("DAEMON Tools Lite");
        EXPECT_EQ(entry.AvailableVersion(), "") << date;
        EXPECT_EQ(entry.DownloadURL(), "") << date;
        EXPECT_EQ(entry.UpdateDate(), kZeroDate) << date;
    }
}

namespace {

// SpeedFan's download page as the test sets it; the installer's server records the
// Referer of every request.
class SpeedFanTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMachine.Server().Get(
            "/www.almico.com/speedfan452.exe",
            [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                std::lock_guard lock(fLock);
                fReferers.push_back(aRequest.get_header_value("Referer"));
                aResponse.set_content(std::string(100, 'x'), "application/octet-stream");
            });
    }

    std::vector<std::string> Referers() {
        std::lock_guard lock(fLock);
        return fReferers;
    }

    std::mutex fLock;
    std::vector<std::string> fReferers;
    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(SpeedFanTest, ALinkMadeAbsoluteIsDownloadedWithThePageAsReferer) {
    const TBaseSoftware& entry = fMachine.CheckEntry("SpeedFan");
    EXPECT_EQ(entry.AvailableVersion(), "4.52");
    EXPECT_EQ(entry.DownloadURL(), "https://www.almico.com/speedfan452.exe");
    EXPECT_EQ(entry.DownloadReferer(), "https://www.almico.com/sfdownload.php");
    EXPECT_EQ(entry.Size(), 100);
    ASSERT_FALSE(Referers().empty());
    EXPECT_EQ(Referers().front(), "https://www.almico.com/sfdownload.php");
}

TEST_F(SpeedFanTest, AnAbsoluteLinkNeedsNoReferer) {
    fMachine.ServeText("/www.almico.com/sfdownload.php",
                       "<h2>SpeedFan 4.52</h2><a href=\"https://www.almico.com/speedfan452.exe\">"
                       "Download SpeedFan 4.52</a>");
    const TBaseSoftware& entry = fMachine.CheckEntry("SpeedFan");
    EXPECT_EQ(entry.DownloadURL(), "https://www.almico.com/speedfan452.exe");
    EXPECT_EQ(entry.DownloadReferer(), "");
    ASSERT_FALSE(Referers().empty());
    EXPECT_EQ(Referers().front(), "");
}

TEST_F(SpeedFanTest, TheProgramSitsBesideItsUninstaller) {
    fMachine.WriteDriveFile("SpeedFan/speedfan.exe", ProgramWithVersion("4.51.0.0"));
    fMachine.SetMachine(
        {{"SpeedFan", "SpeedFan (remove only)", "", "", "", "\"C:\\SpeedFan\\uninstall.exe\""}});
    TBaseSoftware& entry = fMachine.CatalogueEntry("SpeedFan");
    entry.Init();
    EXPECT_TRUE(entry.IsInstalled());
    EXPECT_EQ(entry.CurrentVersion(), "4.51.0.0");
}
