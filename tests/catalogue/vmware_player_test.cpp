// The download portal chain: a redirect names the product, three form posts answer
// with JSON, and each needs everything the one before it found.

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kPortalPath = "/my.vmware.com/web/vmware/free";
constexpr const char* kPortalFixture = "my.vmware.com/web/vmware/free@";
constexpr const char* kLocation = "https://my.vmware.com/web/vmware/"
                                  "free#desktop_end_user_computing/vmware_workstation_player/12_0";

// One post as the portal saw it: its fields (form and query) by name.
using TPost = std::multimap<std::string, std::string>;

class VMwarePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        AnswerFixtures();
        fMachine.Server().Get("/www.vmware.com/go/download-wkst-player-en",
                              [this](const httplib::Request&, httplib::Response& aResponse) {
                                  const std::lock_guard lock(fLock);
                                  aResponse.status = 302;
                                  aResponse.set_header("Location", fLocation);
                              });
        fMachine.Server().Post(
            kPortalPath, [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                const std::lock_guard lock(fLock);
                fPosts.emplace_back(aRequest.params.begin(), aRequest.params.end());
                const auto answer = fAnswers.find(aRequest.get_param_value("p_p_resource_id"));
                aResponse.set_content(answer == fAnswers.end() ? "" : answer->second,
                                      "application/json");
            });
    }

    // Every post answered with the fixture of its resource.
    void AnswerFixtures() {
        const std::lock_guard lock(fLock);
        for (const char* resource :
             {"onLoadFetchPageDetails", "fetchProductBinaryTab", "downloadFilesForPlayer"}) {
            fAnswers[resource] = SiteFixture(std::string(kPortalFixture) + resource);
        }
    }

    void Answer(const std::string& aResource, std::string aBody) {
        const std::lock_guard lock(fLock);
        fAnswers[aResource] = std::move(aBody);
    }

    TBaseSoftware& Check() {
        {
            const std::lock_guard lock(fLock);
            fPosts.clear();
        }
        return fMachine.CheckEntry("VMware Player");
    }

    std::vector<TPost> Posts() {
        const std::lock_guard lock(fLock);
        return fPosts;
    }

    // The binaries tab listing one file of that name, with its download keys.
    static std::string TabWithFile(const std::string& aFileName,
                                   const std::string& aKeys = R"("pDownloadFileId": "f1",
                                       "pSecureParam": "s1", "uuid": "u1")") {
        return R"({"widget": {"productId": "524", "tagId": "1299", "downloadGroupCode": "PL",
                   "proDet": [{"pDetails": {"fileName": ")" +
               aFileName + R"("}, )" + aKeys + "}]}}";
    }

    std::mutex fLock;
    std::string fLocation = kLocation;
    std::map<std::string, std::string> fAnswers;
    std::vector<TPost> fPosts;
    TCatalogueEnvironment fMachine;
};

std::string Field(const TPost& aPost, const std::string& aName) {
    const auto found = aPost.find(aName);
    return found == aPost.end() ? "<none>" : found->second;
}

} // namespace

TEST_F(VMwarePlayerTest, ThePortalChainGivesVersionAndInstaller) {
    const TBaseSoftware& entry = Check();
    EXPECT_EQ(entry.AvailableVersion(), "12.5.2");
    EXPECT_EQ(entry.DownloadURL(),
              "https://download3.vmware.com/software/player/file/"
              "VMware-player-12.5.2-4638234.exe?HashKey=9a2b7c4d10&params=%7B%22sourcefilesize%22%"
              "3A%2273.28+MB%22%7D");
    EXPECT_EQ(entry.Size(), kFixtureInstallerSize);

    using TFields = std::vector<std::pair<std::string, std::string>>;
    const TFields portlet = {
        {"p_p_id", "MassMarketBinaryDownloadPortlet_WAR_itdownloadsportlet"},
        {"p_p_lifecycle", "2"},
        {"p_p_state", "normal"},
        {"p_p_mode", "view"},
        {"p_p_cacheability", "cacheLevelPage"},
        {"p_p_col_id", "column-1"},
        {"p_p_col_count", "1"},
    };
    const TFields expected[] = {
        {{"p_p_resource_id", "onLoadFetchPageDetails"},
         {"slug", "desktop_end_user_computing/vmware_workstation_player/12_0"}},
        {{"p_p_resource_id", "fetchProductBinaryTab"},
         {"minorVersion", "PLAYER-1252"},
         {"majorVersion", "vmware_workstation_player/12_0"}},
        {{"p_p_resource_id", "downloadFilesForPlayer"}, // in the query
         {"downloadFileId", "VMware-player-12.5.2-4638234.exe"},
         {"vmware", "downloadBinary"},
         {"baseStr", ""},
         {"hashKey", "9a2b7c4d10"},
         {"productId", "524"},
         {"tagId", "1299"},
         {"downloadGroupCode", "PLAYER-1252"},
         {"uuId", "3e8a1f52-2b7c-4c19-9d0e-51b6f7a2c843"}},
    };
    const auto posts = Posts();
    ASSERT_EQ(posts.size(), std::size(expected));
    for (std::size_t i = 0; i < posts.size(); ++i) {
        for (const TFields* fields : {&portlet, &expected[i]}) {
            for (const auto& [name, value] : *fields) {
                EXPECT_EQ(Field(posts[i], name), value) << "post " << i << ", " << name;
            }
        }
    }
}

TEST_F(VMwarePlayerTest, AVersionKeepsAtMostThreeComponents) {
    struct TCase {
        const char* FileName;
        const char* Version;
    };
    const TCase cases[] = {
        {"VMware-player-12.5.2-4638234.exe", "12.5.2"},     // the build goes
        {"VMware-player-12.5-4638234.exe", "12.5.4638234"}, // the build is the third
        {"VMware-player-14.exe", "14"},
        {"vmware-player-7.1.0.EXE", "7.1.0"},
        {"VMware-player-.5.1-77.exe", ".5.1.77"}, // no leading number: kept whole
    };
    for (const auto& c : cases) {
        Answer("fetchProductBinaryTab", TabWithFile(c.FileName));
        EXPECT_EQ(Check().AvailableVersion(), c.Version) << c.FileName;
    }
}

TEST_F(VMwarePlayerTest, RedirectWithoutAProductEndsTheCheckBeforeAnyPost) {
    for (const char* location : {"https://my.vmware.com/web/vmware/free", ""}) {
        {
            const std::lock_guard lock(fLock);
            fLocation = location;
        }
        const TBaseSoftware& entry = Check();
        EXPECT_EQ(entry.AvailableVersion(), "") << location;
        EXPECT_EQ(entry.DownloadURL(), "") << location;
        EXPECT_TRUE(Posts().empty()) << location;
    }
}

TEST_F(VMwarePlayerTest, EachMissingPieceEndsTheChainWhereItIs) {
    const std::string tab = SiteFixture(std::string(kPortalFixture) + "fetchProductBinaryTab");
    struct TCase {
        const char* What;
        std::string Resource;
        std::string Body;
        std::size_t Posts;
        const char* Version;
        bool Link;
    };
    const TCase cases[] = {
        {"page details not JSON", "onLoadFetchPageDetails", "<html>", 1, "", false},
        {"page details an array", "onLoadFetchPageDetails", "[1]", 1, "", false},
        {"no minor version", "onLoadFetchPageDetails", R"({"pageDetails":{"vMjrSlug":"p"}})", 1, "",
         false},
        {"empty major version", "onLoadFetchPageDetails",
         R"({"pageDetails":{"vMjrSlug":"","vMnrDlg":"m"}})", 1, "", false},
        {"tab truncated", "fetchProductBinaryTab", tab.substr(0, tab.size() / 2), 2, "", false},
        {"no tag", "fetchProductBinaryTab",
         R"({"widget":{"productId":"1","downloadGroupCode":"g","proDet":[]}})", 2, "", false},
        {"no player among the files", "fetchProductBinaryTab",
         TabWithFile("VMware-Player-12.5.2-4638234.x86_64.bundle"), 2, "", false},
        {"files not a list", "fetchProductBinaryTab",
         R"({"widget":{"productId":"1","tagId":"t","downloadGroupCode":"g","proDet":{}}})", 2, "",
         false},
        {"player without its key", "fetchProductBinaryTab",
         TabWithFile("VMware-player-12.5.2-4638234.exe", R"("pDownloadFileId": "f1",
                     "pSecureParam": "", "uuid": "u1")"),
         2, "", false},
        {"no download address", "downloadFilesForPlayer", R"({"dResponseList":{}})", 3, "12.5.2",
         false},
        {"download answer not JSON", "downloadFilesForPlayer", "Service Unavailable", 3, "12.5.2",
         false},
    };
    for (const auto& c : cases) {
        AnswerFixtures();
        Answer(c.Resource, c.Body);
        const TBaseSoftware& entry = Check();
        EXPECT_EQ(Posts().size(), c.Posts) << c.What;
        EXPECT_EQ(entry.AvailableVersion(), c.Version) << c.What;
        EXPECT_EQ(entry.DownloadURL().empty(), !c.Link) << c.What;
    }
}
