// Adobe AIR and the Flash Player plug-ins: Adobe's web service for the release,
// Adobe's labs pages for the pre-release, the installers' own versions read remotely.

#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kBinary = "application/octet-stream";
constexpr const char* kServiceQuery =
    "@platform_type=Windows&platform_dist=XP&platform_arch=x86-32";
const std::string kAirService = "get.adobe.com/air/webservices/json/";
const std::string kFlashService = "get.adobe.com/flashplayer/webservices/json/";
// The pre-release installers the labs pages link, and where the test server has them.
const std::string kAirBetaURL =
    "https://airdownload.adobe.com/air/win/download/22.0/AdobeAIRInstaller.exe";
const std::string kFlashBetaAxURL = "https://fpdownload.macromedia.com/pub/labs/flashruntimes/"
                                    "flashplayer/install_flash_player_ax.exe";
const std::string kAirBeta = "/" + kAirBetaURL.substr(8);
const std::string kFlashBetaAx = "/" + kFlashBetaAxURL.substr(8);

class AdobeWebServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMachine.Server().Get("/" + kAirService, [this](const httplib::Request& aRequest,
                                                        httplib::Response& aResponse) {
            std::lock_guard lock(fLock);
            fRequestedWith = aRequest.get_header_value("X-Requested-With");
            aResponse.set_content(SiteFixture(kAirService + "index.html" + kServiceQuery),
                                  "application/json");
        });
        fMachine.ServeText("/" + kFlashService,
                           SiteFixture(kFlashService + "index.html" + kServiceQuery),
                           "application/json");
        fMachine.ServeText(kAirBeta, ProgramWithVersion("22.0.0.100"), kBinary);
        fMachine.ServeText(kFlashBetaAx, ProgramWithVersion("22.0.0.160"), kBinary);
        fMachine.Server().Get("/fpdownload.macromedia.com/get/.*",
                              [](const httplib::Request&, httplib::Response& aResponse) {
                                  aResponse.set_content(ProgramWithVersion("21.0.0.199"), kBinary);
                              });
    }

    std::string RequestedWith() {
        std::lock_guard lock(fLock);
        return fRequestedWith;
    }

    std::mutex fLock;
    std::string fRequestedWith;
    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(AdobeWebServiceTest, AirAsksTheServiceAsAScriptAndReadsTheInstaller) {
    const TBaseSoftware& entry = fMachine.CheckEntry("Adobe AIR");
    EXPECT_EQ(RequestedWith(), "XMLHttpRequest");
    EXPECT_EQ(entry.AvailableVersion(), "21.0.0.198");
    EXPECT_EQ(entry.DownloadURL(),
              "https://airdownload.adobe.com/air/win/download/latest/AdobeAIRInstaller.exe");
    EXPECT_FALSE(entry.IsBeta());
}

TEST_F(AdobeWebServiceTest, AirPreReleaseOnlyWhenNewerStableOnATie) {
    const TBaseSoftware& newer = fMachine.CheckEntry("Adobe AIR", true);
    EXPECT_EQ(newer.AvailableVersion(), "22.0.0.100");
    EXPECT_EQ(newer.DownloadURL(), kAirBetaURL);
    EXPECT_TRUE(newer.IsBeta());

    fMachine.ServeText(kAirBeta, ProgramWithVersion("21.0.0.198"), kBinary);
    const TBaseSoftware& tie = fMachine.CheckEntry("Adobe AIR", true);
    EXPECT_EQ(tie.AvailableVersion(), "21.0.0.198");
    EXPECT_EQ(tie.DownloadURL(),
              "https://airdownload.adobe.com/air/win/download/latest/AdobeAIRInstaller.exe");
    EXPECT_FALSE(tie.IsBeta());
}

TEST_F(AdobeWebServiceTest, FlashPlayerPreReleaseFromTheLabsPage) {
    const TBaseSoftware& probed = fMachine.CheckEntry("Adobe Flash Player ActiveX", true);
    EXPECT_EQ(probed.AvailableVersion(), "22.0.0.160"); // the installer's own beats the page's
    EXPECT_EQ(probed.DownloadURL(), kFlashBetaAxURL);
    EXPECT_TRUE(probed.IsBeta());

    fMachine.ServeText(kFlashBetaAx, "not a program", kBinary);
    const TBaseSoftware& stated = fMachine.CheckEntry("Adobe Flash Player ActiveX", true);
    EXPECT_EQ(stated.AvailableVersion(), "22.0.0.153");
    EXPECT_TRUE(stated.IsBeta());

    // The PPAPI plug-in takes its own installer from the same page.
    EXPECT_EQ(fMachine.CheckEntry("Adobe Flash Player PPAPI", true).DownloadURL(),
              "https://fpdownload.macromedia.com/pub/labs/flashruntimes/flashplayer/"
              "install_flash_player_ppapi.exe");
}

TEST_F(AdobeWebServiceTest, FlashPlayerServiceAnswers) {
    const std::string fixture = SiteFixture(kFlashService + "index.html" + kServiceQuery);
    struct TCase {
        const char* Name;
        std::string Answer;
        const char* Version;
    };
    const TCase cases[] = {
        {"as published", fixture, "21.0.0.197"},
        {"without a version: the installer's",
         R"([{"aih_installer_abbr":"FlashPlayerAX","Version":null,)"
         R"("download_url":"https://fpdownload.macromedia.com/get/ax.exe"}])",
         "21.0.0.199"},
        {"abbreviation must match whole",
         R"([{"aih_installer_abbr":"flashplayeraxe",)"
         R"("Version":"1.0","download_url":"https://x/a.exe"}])",
         ""},
        {"truncated", fixture.substr(0, fixture.size() / 2), ""},
        {"an object", R"({"aih_installer_abbr":"flashplayerax","Version":"1.0"})", ""},
        {"elements of another kind", R"(["flashplayerax", 21, null])", ""},
        {"a version that is an object", R"([{"aih_installer_abbr":"flashplayerax","Version":{}}])",
         ""},
        {"not JSON", "<html>Service unavailable</html>", ""},
    };
    for (const TCase& c : cases) {
        fMachine.ServeText("/" + kFlashService, c.Answer, "application/json");
        EXPECT_EQ(fMachine.CheckEntry("Adobe Flash Player ActiveX").AvailableVersion(), c.Version)
            << c.Name;
    }
}

TEST_F(AdobeWebServiceTest, FlashPlayerNpapiIsTheHighestVersionAboveZero) {
    fMachine.SetMachine({
        {"A", "Adobe Flash Player 19 Plugin", "19.0.0.245", "", ""},
        {"B", "Adobe Flash Player 21 NPAPI", "21.0.0.213", "", ""},
        {"C", "Adobe Flash Player 20 NPAPI", "20.0.0.306", "", ""},
        {"D", "Adobe Flash Player 21 ActiveX", "21.0.0.197", "", ""},
        {"E", "Adobe Flash Player 22 PPAPI", "", "", ""},
    });
    TBaseSoftware& npapi = fMachine.CatalogueEntry("Adobe Flash Player NPAPI");
    npapi.Init();
    EXPECT_EQ(npapi.CurrentVersion(), "21.0.0.213");
    TBaseSoftware& ppapi = fMachine.CatalogueEntry("Adobe Flash Player PPAPI");
    ppapi.Init();
    EXPECT_FALSE(ppapi.IsInstalled()); // its only item has no version above 0
    TBaseSoftware& activeX = fMachine.CatalogueEntry("Adobe Flash Player ActiveX");
    activeX.Init();
    EXPECT_EQ(activeX.CurrentVersion(), "21.0.0.197");
}
