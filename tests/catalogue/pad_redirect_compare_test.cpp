// The shared steps of the portal-fed entries: PAD files, redirects read by hand, and
// comparisons over fewer components.

#include "catalogue/catalogue_table.h"
#include "catalogue/publisher_sources.h"
#include "support/catalogue_environment.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(PortalSourcesTest, PadFiles) {
    const std::string pad = SiteFixture("www.slimwareutilities.com/pad/slimcleaner_pad.xml");
    struct TCase {
        std::string What;
        std::string Text;
        const char* Version;
        const char* URL;
    };
    const TCase cases[] = {
        {"fixture", pad, "4.1.24.7",
         "https://downloads.slimwareutilities.com/SlimCleanerSetup.exe"},
        {"letter case and lines",
         "<program_version>1.2</program_version>\n<PRIMARY_DOWNLOAD_URL>http://a/b\nc.exe"
         "</PRIMARY_DOWNLOAD_URL>",
         "1.2", "http://a/b\nc.exe"},
        {"truncated", pad.substr(0, pad.find("</Program_Version>") + 5), "", ""},
        {"version not a number", "<Program_Version>v1.2</Program_Version>", "", ""},
        {"empty elements",
         "<Program_Version></Program_Version><Primary_Download_URL></Primary_Download_URL>", "",
         ""},
        {"oversized", std::string(3 << 20, '<') + pad, "4.1.24.7",
         "https://downloads.slimwareutilities.com/SlimCleanerSetup.exe"},
        {"not XML", std::string("\0\xff\xfe<Program_Version>", 21), "", ""},
    };
    for (const auto& c : cases) {
        const TPadInfo info = ReadPadFile(c.Text);
        EXPECT_EQ(info.Version, c.Version) << c.What;
        EXPECT_EQ(info.DownloadURL, c.URL) << c.What;
    }
}

TEST(PortalSourcesTest, RedirectLocationLeavesFollowingOn) {
    TLoopbackServer server;
    server.Server().Get("/go", [](const httplib::Request&, httplib::Response& aResponse) {
        aResponse.set_redirect("https://elsewhere.example/file.exe#part");
    });
    server.Server().Get("/page", [](const httplib::Request&, httplib::Response& aResponse) {
        aResponse.set_content("no redirect", "text/plain");
    });
    server.Start();
    const auto client = net::CreateHTTPClient();
    EXPECT_EQ(RedirectLocation(*client, server.Url("/go")),
              "https://elsewhere.example/file.exe#part");
    EXPECT_TRUE(client->HandleRedirects());
    EXPECT_EQ(RedirectLocation(*client, server.Url("/page")), "");
    EXPECT_TRUE(client->HandleRedirects());
    EXPECT_EQ(RedirectLocation(*client, "http://127.0.0.1:1/refused"), "");
    EXPECT_TRUE(client->HandleRedirects());
}

TEST(PortalSourcesTest, EntriesCountingThreeComponentsIgnoreTheFourth) {
    struct TCase {
        const char* Current;
        const char* Available;
        int Result;
    };
    const TCase cases[] = {
        {"4.1.24.0", "4.1.24.7", 0}, {"4.1.24.9", "4.1.24.0", 0}, {"4.1.23.9", "4.1.24.0", -1},
        {"4.2", "4.1.24", 2},        {"5", "4.9.9.9", 3},         {"", "", 0},
    };
    TCatalogueEnvironment machine;
    for (const char* name : {"SlimCleaner", "SlimComputer", "SlimDrivers", "TeamViewer"}) {
        TBaseSoftware& entry = machine.CatalogueEntry(name);
        for (const auto& c : cases) {
            EXPECT_EQ(entry.CompareVersions(c.Current, c.Available, 4), c.Result)
                << name << ": " << c.Current << " against " << c.Available;
        }
        // Asked for fewer still, it compares fewer.
        EXPECT_EQ(entry.CompareVersions("4.1.23", "4.1.24", 2), 0) << name;
    }
}

TEST(PortalSourcesTest, TeamViewerReadsItsVersionFromTheRemoteInstaller) {
    TCatalogueEnvironment machine;
    machine.SetMachine({{"TeamViewer", "TeamViewer", "13.0.5058.9", "", ""}});
    const TBaseSoftware& entry = machine.CheckEntry("TeamViewer");
    EXPECT_EQ(entry.AvailableVersion(), "13.0.5058.0");
    EXPECT_EQ(entry.CurrentVersion(), "13.0.5058.9");
    machine.SetSiteMode(TSiteMode::Noise); // not an executable: no version, the link stays
    const TBaseSoftware& noise = machine.CheckEntry("TeamViewer");
    EXPECT_EQ(noise.AvailableVersion(), "");
    EXPECT_EQ(noise.DownloadURL(), "https://download.teamviewer.com/download/TeamViewer_Setup.exe");
}

TEST(PortalSourcesTest, TeamViewerNames) {
    struct TCase {
        const char* Name;
        bool Installed;
    };
    const TCase cases[] = {
        {"TeamViewer", true},       {"TeamViewer 11", true},       {"TeamViewer  9", true},
        {"TeamViewer Host", false}, {"TeamViewer 11 Host", false}, {"My TeamViewer", false},
    };
    for (const auto& c : cases) {
        TCatalogueEnvironment machine;
        machine.SetMachine({{"k", c.Name, "11.0", "", ""}});
        TBaseSoftware& entry = machine.CatalogueEntry("TeamViewer");
        entry.Init();
        EXPECT_EQ(entry.IsInstalled(), c.Installed) << c.Name;
    }
}
