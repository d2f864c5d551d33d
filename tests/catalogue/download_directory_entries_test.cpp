// Entries that end on the product page of a software download directory: reached by a
// script's redirect (Ad-Aware), by a mirror link (K-Lite), or by an update file that
// names it (Miranda IM, whose pre-release is offered only when newer).

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kAdAwarePage = "/www.adaware.com/download/adaware_download.php";
constexpr const char* kKLitePage = "/www.codecguide.com/download_k-lite_codec_pack_full.htm";
constexpr const char* kMirandaFile = "/update.miranda-im.org/update.xml";

class DownloadDirectoryEntriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMachine.ServeText(kAdAwarePage, SiteFixture("www.adaware.com/download/"
                                                     "adaware_download.php@p=adaware_free"));
        fMachine.ServeText(kKLitePage,
                           SiteFixture("www.codecguide.com/download_k-lite_codec_pack_full.htm"));
        fMachine.ServeText(kMirandaFile, SiteFixture("update.miranda-im.org/update.xml"),
                           "text/xml");
    }

    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(DownloadDirectoryEntriesTest, AdAwareFollowsTheScriptToTheDirectory) {
    const TBaseSoftware& entry = fMachine.CheckEntry("Ad-Aware Antivirus");
    EXPECT_EQ(entry.AvailableVersion(), "11.9.662.8718");
    EXPECT_EQ(entry.DownloadURL(), "https://files.downloadnow.com/s/software/10/04/59/10/"
                                   "Adaware_Installer.exe?token=1454700000_4f1c");

    fMachine.ServeText(kAdAwarePage, "<script>window.location = '/elsewhere';</script>");
    const TBaseSoftware& moved = fMachine.CheckEntry("Ad-Aware Antivirus");
    EXPECT_EQ(moved.AvailableVersion(), "");
    EXPECT_EQ(moved.DownloadURL(), "");
}

TEST_F(DownloadDirectoryEntriesTest, KLiteTakesTheBetanewsMirror) {
    fMachine.SetMachine({
        {"KLCP", "K-Lite Codec Pack 11.8.0 Full", "11.8.0", "", ""},
        {"KLCP basic", "K-Lite Codec Pack 12.0.5 Basic", "12.0.5", "", ""},
    });
    const TBaseSoftware& full = fMachine.CheckEntry("K-Lite Full");
    EXPECT_EQ(full.CurrentVersion(), "11.8.0");
    EXPECT_EQ(full.AvailableVersion(), "12.0.5");
    EXPECT_EQ(full.DownloadURL(), "https://files.betanews.com/sites/default/files/downloads/"
                                  "K-Lite_Codec_Pack_1205_Full.exe");
    EXPECT_EQ(fMachine.CheckEntry("K-Lite Basic").CurrentVersion(), "12.0.5");
    EXPECT_FALSE(fMachine.CheckEntry("K-Lite Standard").IsInstalled());

    // Only other mirrors: nothing, rather than a page of another site read as the directory.
    fMachine.ServeText(kKLitePage, "<a href=\"https://www.codecguide.com/files/klcp.exe\">"
                                   "Mirror 1</a>");
    EXPECT_EQ(fMachine.CheckEntry("K-Lite Full").AvailableVersion(), "");
}

TEST_F(DownloadDirectoryEntriesTest, MirandaPreReleaseOnlyWithAnInstallerAndANewerVersion) {
    const std::string feed = SiteFixture("update.miranda-im.org/update.xml");
    const std::string stableURL = "https://files.downloadnow.com/s/software/10/20/48/13/"
                                  "miranda-im-v0.10.24-unicode.exe?token=1454700000_9a2e";
    const std::string betaURL =
        "https://files.miranda-im.org/builds/miranda-im-v0.10.25-unicode.exe";
    const auto replaced = [&feed](const std::string& aFrom, const std::string& aTo) {
        std::string text = feed;
        return text.replace(text.find(aFrom), aFrom.size(), aTo);
    };
    struct TCase {
        const char* Name;
        std::string Feed;
        const char* Version;
        std::string URL;
        bool Beta;
    };
    const TCase cases[] = {
        {"newer", feed, "0.10.25", betaURL, true},
        {"without installer", replaced("<downloadurl>" + betaURL + "</downloadurl>", ""), "0.10.24",
         stableURL, false},
        {"the same version", replaced("0.10.25", "0.10.24.0"), "0.10.24", stableURL, false},
        {"older", replaced("0.10.25", "0.9.50"), "0.10.24", stableURL, false},
        {"without a release block", replaced("releasestable>", "release>"), "0.10.25", betaURL,
         true},
    };
    for (const TCase& c : cases) {
        fMachine.ServeText(kMirandaFile, c.Feed, "text/xml");
        const TBaseSoftware& entry = fMachine.CheckEntry("Miranda IM", true);
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.Name;
        EXPECT_EQ(entry.DownloadURL(), c.URL) << c.Name;
        EXPECT_EQ(entry.IsBeta(), c.Beta) << c.Name;
    }
    // Without pre-releases asked for, the release alone.
    fMachine.ServeText(kMirandaFile, feed, "text/xml");
    EXPECT_EQ(fMachine.CheckEntry("Miranda IM").AvailableVersion(), "0.10.24");
}
