// BS.Player FREE: the version from the download page, the installer's address from
// the redirect its download form answers with.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kPage = "/www.bsplayer.com/bsplayer-english/download-free.html";
constexpr const char* kMovedPage = "/www.bsplayer.com/bsplayer-english/download-free-2.html";

class BSPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The page itself, or a redirect to its new place after MoveThePage.
        fMachine.Server().Get(kPage, [this](const httplib::Request&, httplib::Response& aResponse) {
            std::lock_guard lock(fLock);
            if (fMoved) {
                aResponse.set_redirect("https://www.bsplayer.com/bsplayer-english/"
                                       "download-free-2.html");
                return;
            }
            aResponse.set_content(SiteFixture("www.bsplayer.com/bsplayer-english/"
                                              "download-free.html"),
                                  "text/html");
        });
        fMachine.ServeText(kMovedPage,
                           SiteFixture("www.bsplayer.com/bsplayer-english/download-free.html"));
        fMachine.Server().Post(
            kPage, [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                std::lock_guard lock(fLock);
                fForms.push_back(aRequest.body);
                aResponse.set_redirect("/files/bsplayer" + aRequest.get_param_value("type") +
                                       ".setup.exe");
            });
    }

    std::vector<std::string> Forms() {
        std::lock_guard lock(fLock);
        return fForms;
    }

    void MoveThePage() {
        std::lock_guard lock(fLock);
        fMoved = true;
    }

    std::mutex fLock;
    std::vector<std::string> fForms;
    bool fMoved = false;
    TCatalogueEnvironment fMachine;
};

} // namespace

TEST_F(BSPlayerTest, FormPostedForTheVersionTaken) {
    const TBaseSoftware& release = fMachine.CheckEntry("BS.Player FREE");
    EXPECT_EQ(release.AvailableVersion(), "2.70.1080");
    // A relative redirect is taken against the publisher's site.
    EXPECT_EQ(release.DownloadURL(), "https://www.bsplayer.com/files/bsplayer1.setup.exe");
    EXPECT_FALSE(release.IsBeta());

    const TBaseSoftware& beta = fMachine.CheckEntry("BS.Player FREE", true);
    EXPECT_EQ(beta.AvailableVersion(), "2.71.1082");
    EXPECT_EQ(beta.DownloadURL(), "https://www.bsplayer.com/files/bsplayerbeta.setup.exe");
    EXPECT_TRUE(beta.IsBeta());

    EXPECT_EQ(Forms(), (std::vector<std::string>{"cmd=start-download&type=1&mirror=bsplayer",
                                                 "cmd=start-download&type=beta&mirror=bsplayer"}));
}

TEST_F(BSPlayerTest, RedirectsAreFollowedAgainAfterThePost) {
    fMachine.CheckEntry("BS.Player FREE");
    MoveThePage();
    const TBaseSoftware& entry = fMachine.CheckEntry("BS.Player FREE");
    EXPECT_EQ(entry.AvailableVersion(), "2.70.1080");
    EXPECT_EQ(entry.DownloadURL(), "https://www.bsplayer.com/files/bsplayer1.setup.exe");
}

TEST_F(BSPlayerTest, NoVersionNoForm) {
    MoveThePage();
    fMachine.ServeText(kMovedPage, "<h2>BS.Player PRO 2.70</h2>");
    const TBaseSoftware& entry = fMachine.CheckEntry("BS.Player FREE", true);
    EXPECT_EQ(entry.AvailableVersion(), "");
    EXPECT_EQ(entry.DownloadURL(), "");
    EXPECT_TRUE(Forms().empty());
}
