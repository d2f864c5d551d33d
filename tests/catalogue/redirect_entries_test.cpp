// Entries whose download link redirects to the installer, followed by hand: one hop
// (Evernote, Telegram) and two (Opera), and the tie-breaks of Telegram and Opera when
// the pre-release channel is checked too.

#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace brivane;
using namespace brivane::test;

namespace {

// Answers with a redirect to aLocation, or with a page when it is empty.
httplib::Server::Handler RedirectTo(std::string aLocation) {
    return [aLocation](const httplib::Request&, httplib::Response& aResponse) {
        if (!aLocation.empty()) {
            aResponse.status = 302;
            aResponse.set_header("Location", aLocation);
        }
        aResponse.set_content("<html></html>", "text/html");
    };
}

} // namespace

TEST(EvernoteTest, VersionFromTheInstallerTheLinkRedirectsTo) {
    struct TCase {
        const char* Location;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {"https://cdn1.evernote.com/win6/public/Evernote_6.1.2.2292.exe", "6.1.2.2292",
         "https://cdn1.evernote.com/win6/public/Evernote_6.1.2.2292.exe"},
        {"/win6/public/evernote_6.1.2.exe", "6.1.2",
         "https://evernote.com/win6/public/evernote_6.1.2.exe"},
        {"https://cdn1.evernote.com/win6/public/EvernoteSetup.exe", "",
         "https://cdn1.evernote.com/win6/public/EvernoteSetup.exe"},
        {"", "", ""}, // no redirect
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        machine.Server().Get("/evernote.com/download/get.php", RedirectTo(c.Location));
        const TBaseSoftware& entry = machine.CheckEntry("Evernote");
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Location;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Location;
    }
}

TEST(EvernoteTest, TheProgramFileCountsOnlyWhenNewer) {
    struct TCase {
        const char* FileVersion;
        const char* Expected;
    };
    const TCase cases[] = {
        {"6.1.2.2292", "6.1.2.2292"},
        {"6.1.1.2270", "6.1.1.2270"},
        {"6.0.0.0", "6.1.1.2270"}, // older: the inventory's
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        machine.WriteDriveFile("Evernote/Evernote/Evernote.exe", ProgramWithVersion(c.FileVersion));
        machine.SetMachine(
            {{"A", "Evernote v. 6.1.1", "6.1.1.2270", "", "C:\\Evernote\\Evernote\\"}});
        TBaseSoftware& entry = machine.CatalogueEntry("Evernote");
        entry.Init();
        EXPECT_EQ(entry.CurrentVersion(), c.Expected) << c.FileVersion;
    }
}

namespace {

constexpr const char* kStable = "https://updates.tdesktop.com/tsetup/tsetup.0.9.56.exe";
constexpr const char* kDev = "https://updates.tdesktop.com/tsetup/tsetup.0.10.1.dev.exe";
constexpr const char* kAlpha = "https://updates.tdesktop.com/tsetup/tsetup%2E0.10.2%2Ealpha.exe";

// Telegram's links; each installer is served with a size unless refused, and the
// alpha link counts its requests.
struct TTelegramSite {
    TTelegramSite(std::string aDev, bool aDevServed, bool aAlphaServed) {
        Machine.Server().Get(
            "/tdesktop.com/win/current",
            [this, aDev](const httplib::Request& aRequest, httplib::Response& aResponse) {
                std::string location = kStable;
                if (aRequest.has_param("dev")) {
                    location = aDev;
                } else if (aRequest.has_param("alpha")) {
                    ++AlphaRequests;
                    location = kAlpha;
                }
                RedirectTo(location)(aRequest, aResponse);
            });
        Refuse(aDevServed, "/updates.tdesktop.com/tsetup/tsetup.0.10.1.dev.exe");
        Refuse(aAlphaServed, "/updates.tdesktop.com/tsetup/tsetup.0.10.2.alpha.exe");
    }

    void Refuse(bool aServed, const char* aPath) {
        if (!aServed) {
            Machine.Server().Get(aPath, [](const httplib::Request&, httplib::Response& aResponse) {
                aResponse.status = 404;
            });
        }
    }

    std::atomic<int> AlphaRequests{0};
    TCatalogueEnvironment Machine;
};

} // namespace

TEST(TelegramTest, StableOnlyWithoutPreReleases) {
    TTelegramSite site(kDev, true, true);
    const TBaseSoftware& entry = site.Machine.CheckEntry("Telegram");
    EXPECT_EQ(entry.AvailableVersion(), "0.9.56");
    EXPECT_EQ(entry.DownloadURL(), kStable);
    EXPECT_FALSE(entry.IsBeta());
    EXPECT_EQ(site.AlphaRequests.load(), 0);
}

TEST(TelegramTest, PreReleaseCandidates) {
    struct TCase {
        const char* What;
        std::string Dev;
        bool DevServed, AlphaServed;
        const char* Version;
        std::string URL;
        int AlphaRequests;
    };
    const TCase cases[] = {
        {"a dev build with a size: the alpha is not asked", kDev, true, true, "0.10.1", kDev, 0},
        {"no dev file: the alpha, its name decoded", kDev, false, true, "0.10.2", kAlpha, 1},
        {"no pre-release file: the stable", kDev, false, false, "0.9.56", kStable, 1},
        {"a tie: the stable", "https://updates.tdesktop.com/tsetup/tsetup.0.9.56.dev.exe", true,
         true, "0.9.56", kStable, 0},
    };
    for (const auto& c : cases) {
        TTelegramSite site(c.Dev, c.DevServed, c.AlphaServed);
        const TBaseSoftware& entry = site.Machine.CheckEntry("Telegram", true);
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.What;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.What;
        EXPECT_EQ(entry.IsBeta(), c.URL != kStable) << c.What;
        EXPECT_EQ(site.AlphaRequests.load(), c.AlphaRequests) << c.What;
    }
}

namespace {

constexpr const char* kOperaStable =
    "https://get.geo.opera.com/pub/opera/desktop/38.0.2220.41/win/Opera_38.0.2220.41_Setup.exe";
constexpr const char* kOperaNext = "https://get.geo.opera.com/pub/opera-beta/39.0.2256.24/win/"
                                   "Opera_beta_39.0.2256.24_Setup.exe";

} // namespace

TEST(OperaTest, TwoRedirectsLeadToTheInstaller) {
    TCatalogueEnvironment machine;
    const TBaseSoftware& stable = machine.CheckEntry("Opera");
    EXPECT_EQ(stable.AvailableVersion(), "38.0.2220.41");
    EXPECT_EQ(stable.DownloadURL(), kOperaStable);
    EXPECT_FALSE(stable.IsBeta());
    const TBaseSoftware& next = machine.CheckEntry("Opera", true);
    EXPECT_EQ(next.AvailableVersion(), "39.0.2256.24");
    EXPECT_EQ(next.DownloadURL(), kOperaNext);
    EXPECT_TRUE(next.IsBeta());
}

namespace {

// Opera's download links for each channel: the first redirect to a start page (left
// out when aFirstRedirect is false), its "try again" link, and the redirect of that
// link to the channel's installer.
void ServeOpera(TCatalogueEnvironment& aMachine, std::string aStable, std::string aNext,
                bool aFirstRedirect = true) {
    aMachine.Server().Get("/www.opera.com/download/get/", [=](const httplib::Request& aRequest,
                                                              httplib::Response& aResponse) {
        if (aRequest.has_param("partner")) {
            const char* id = aRequest.has_param("product") ? "2" : "1";
            RedirectTo(aFirstRedirect ? std::string("/download/get/?id=") + id + "&amp;s=1"
                                      : "")(aRequest, aResponse);
        } else if (!aRequest.has_param("autoupdate")) {
            aResponse.set_content(
                "<p>Please <a href=\"/download/get/?id=" + aRequest.get_param_value("id") +
                    "&amp;autoupdate=1\">try again</a></p>",
                "text/html");
        } else {
            RedirectTo(aRequest.get_param_value("id") == "2" ? aNext : aStable)(aRequest,
                                                                                aResponse);
        }
    });
}

} // namespace

TEST(OperaTest, TieBreaksOfTheTwoChannels) {
    const std::string stable =
        "https://get.geo.opera.com/pub/opera/desktop/38.0.2220.41/win/Opera_Setup.exe";
    struct TCase {
        std::string Next;
        std::string URL;
        bool IsBeta;
    };
    const TCase cases[] = {
        // The same version: the pre-release.
        {"https://get.geo.opera.com/pub/opera-beta/38.0.2220.41/win/Beta_Setup.exe",
         "https://get.geo.opera.com/pub/opera-beta/38.0.2220.41/win/Beta_Setup.exe", true},
        // An older pre-release: the stable release.
        {"https://get.geo.opera.com/pub/opera-beta/37.0.2178.54/win/Beta_Setup.exe", stable, false},
        // A pre-release without a version in its path: the stable release.
        {"https://get.geo.opera.com/pub/opera-beta/latest/Beta_Setup.exe", stable, false},
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        ServeOpera(machine, stable, c.Next);
        const TBaseSoftware& entry = machine.CheckEntry("Opera", true);
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Next;
        EXPECT_EQ(entry.IsBeta(), c.IsBeta) << c.Next;
    }
}

TEST(OperaTest, WithoutTheFirstRedirectNothingIsFound) {
    TCatalogueEnvironment machine;
    ServeOpera(machine, kOperaStable, kOperaNext, false);
    const TBaseSoftware& entry = machine.CheckEntry("Opera", true);
    EXPECT_EQ(entry.AvailableVersion(), "");
    EXPECT_EQ(entry.DownloadURL(), "");
}
