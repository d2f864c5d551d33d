#include "demo/demo_sites.h"

#include "support/loopback_server.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

// Two layers of sites, the first in front: installers over publishers' pages.
class DemoSitesTest : public ::testing::Test {
protected:
    DemoSitesTest() {
        fDir.Write("sites/h.org/a/setup.exe", "site's installer");
        fDir.Write("sites/h.org/a/page.html", "page");
        fDir.Write("sites/h.org/portal@POST-FIELD", "what\n");
        fDir.Write("sites/h.org/portal@first", "first document");
        fDir.Write("sites/secret", "not a site's");
        fDir.Write("front/h.org/a/setup.exe", "demo installer");
        demo::ServeSites(fServer.Server(), {fDir / "front", fDir / "sites"});
        fServer.Start();
    }

    httplib::Result Get(const std::string& aPath) { return fClient.Get(aPath); }
    httplib::Result Post(const std::string& aPath, const std::string& aForm) {
        return fClient.Post(aPath, aForm, "application/x-www-form-urlencoded");
    }

    TTempDir fDir;
    TLoopbackServer fServer;
    httplib::Client fClient{"127.0.0.1", fServer.Port()};
};

TEST_F(DemoSitesTest, TheFirstFolderWithAFileAnswers) {
    auto answer = Get("/h.org/a/setup.exe");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, "demo installer");
    EXPECT_EQ(answer->get_header_value("Last-Modified"), demo::kSiteInstallerDate);
    answer = Get("/h.org/a/page.html");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, "page");
    EXPECT_FALSE(answer->has_header("Last-Modified"));
    // An installer address without a file gets the stand-in.
    answer = Get("/h.org/a/other.msi");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, std::string(demo::kSiteInstallerSize, 'x'));
}

TEST_F(DemoSitesTest, APortalAnswersByTheFieldItNames) {
    auto answer = Post("/h.org/portal", "what=first");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(answer->body, "first document");
    for (const char* form : {"what=second", "what=", "other=first", "what=..%2Fsecret",
                             "what=POST-FIELD%2F..%2F..%2Fsecret"}) {
        answer = Post("/h.org/portal", form);
        ASSERT_TRUE(answer) << form;
        EXPECT_EQ(answer->status, 404) << form;
    }
}

TEST_F(DemoSitesTest, NothingOutsideTheFoldersIsServed) {
    for (const char* path : {"/../secret", "/h.org/../secret", "/h.org/a/..%2F..%2F..%2Fsecret"}) {
        const auto answer = Get(path);
        ASSERT_TRUE(answer) << path;
        EXPECT_NE(answer->body, "not a site's") << path;
    }
    EXPECT_EQ(demo::SiteFilePath(fDir / "sites", "h.org/../secret"), std::filesystem::path());
}

} // namespace
} // namespace brivane::test
