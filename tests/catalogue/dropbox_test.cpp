// Release notes by channel, the installer behind the download service's redirect, and
// the notes' date standing in for a Last-Modified the installer's server does not give.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kInstaller = "https://clientupdates.dropboxstatic.com/dbx-releng/client/"
                                   "Dropbox%2016.4.30%20Offline%20Installer.exe";

class DropboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMachine.ServeText("/www.dropbox.com/release_notes",
                           SiteFixture("www.dropbox.com/release_notes"));
        fMachine.Server().Get(
            "/clientupdates.dropboxstatic.com/dbx-releng/client/Dropbox 16.4.30 Offline "
            "Installer.exe",
            [this](const httplib::Request&, httplib::Response& aResponse) {
                if (fLastModified) {
                    aResponse.set_header("Last-Modified", "Thu, 22 Dec 2016 08:00:00 GMT");
                }
                aResponse.set_content(std::string(3000, 'x'), "application/octet-stream");
            });
    }

    // The stable section of the notes with one build released on aDate.
    void ServeStable(const std::string& aDate) {
        fMachine.ServeText("/www.dropbox.com/release_notes",
                           R"(<div class="release_type_stable"><a href="/r/16.4.30">16.4.30</a>
                              <div class="release_date">)" +
                               aDate + R"(</div></div><div class="release_no_matches"></div>)");
    }

    std::atomic<bool> fLastModified{true};
    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(DropboxTest, EachChannelHasItsSection) {
    const TBaseSoftware& stable = fMachine.CheckEntry("Dropbox");
    EXPECT_EQ(stable.AvailableVersion(), "16.4.30");
    EXPECT_EQ(stable.DownloadURL(), kInstaller);
    EXPECT_FALSE(stable.IsBeta());
    EXPECT_EQ(stable.Size(), 3000);
    EXPECT_EQ(stable.UpdateDate(), UnixToLocalDateTime(1482393600)); // the installer's own

    const TBaseSoftware& testing = fMachine.CheckEntry("Dropbox", true);
    EXPECT_EQ(testing.AvailableVersion(), "17.3.25");
    EXPECT_EQ(testing.DownloadURL(), "https://clientupdates.dropboxstatic.com/dbx-releng/client/"
                                     "Dropbox%2017.3.25%20Offline%20Installer.exe");
    EXPECT_TRUE(testing.IsBeta());
}

TEST_F(DropboxTest, TheNotesDateStandsInForAMissingLastModified) {
    fLastModified = false;
    struct TCase {
        const char* Date;
        TDateTime Expected;
    };
    const TCase cases[] = {
        {"12/21/2016", EncodeDateTime(2016, 12, 21)},
        {"2/29/2016", EncodeDateTime(2016, 2, 29)},
        {"12/21/16", EncodeDateTime(2016, 12, 21)},
        {"2/29/2017", kZeroDate}, // not a leap year
        {"13/1/2016", kZeroDate}, // month and day the other way round
        {"0/1/2016", kZeroDate},
        {"4/31/2016", kZeroDate},
        {"12/21", kZeroDate},
        {"12/21/2016/1", kZeroDate},
        {"12/21/216", kZeroDate},
        {"//", kZeroDate},
        {"99999999999/1/2016", kZeroDate},
        {"", kZeroDate},
    };
    for (const auto& c : cases) {
        ServeStable(c.Date);
        const TBaseSoftware& entry = fMachine.CheckEntry("Dropbox");
        EXPECT_EQ(entry.AvailableVersion(), "16.4.30") << c.Date;
        EXPECT_EQ(entry.UpdateDate(), c.Expected) << c.Date;
        EXPECT_EQ(entry.Size(), 3000) << c.Date;
    }
}

TEST_F(DropboxTest, NotesWithoutACompleteSectionGiveNothing) {
    for (
        const std::string& page : {
            std::string(R"(<div class="release_type_stable"><a href="/r/16.4.30">16.4.30</a>)"),
            std::string(
                R"(<div class="release_type_stable"><b>16.4.30</b><div class="release_no_matches">)"),
            std::string(
                R"(<div class="release_type_testing"><a href="/r/1.2">1.2</a><div class="release_no_matches">)"),
            std::string(R"(release_type_stable <a href="/r/16.4.30">16.4.30</a>)"),
        }) {
        fMachine.ServeText("/www.dropbox.com/release_notes", page);
        const TBaseSoftware& entry = fMachine.CheckEntry("Dropbox");
        EXPECT_EQ(entry.AvailableVersion(), "") << page;
        EXPECT_EQ(entry.DownloadURL(), "") << page;
    }
}

TEST_F(DropboxTest, ABuildTheDownloadServiceDoesNotKnowHasNoInstaller) {
    fMachine.ServeText("/www.dropbox.com/release_notes",
                       R"(<div class="release_type_stable"><a href="/r/1.0.1">1.0.1</a>
                          <div class="release_date">1/2/2015</div><div class="release_type_x">)");
    const TBaseSoftware& entry = fMachine.CheckEntry("Dropbox");
    EXPECT_EQ(entry.AvailableVersion(), "1.0.1");
    EXPECT_EQ(entry.DownloadURL(), "");
    EXPECT_EQ(entry.Size(), 0);
    EXPECT_EQ(entry.UpdateDate(), EncodeDateTime(2015, 1, 2));
}
