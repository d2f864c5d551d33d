// The download-directory loaders against product pages served on loopback in the
// directories' place, through the host map.

#include "catalogue/download_directory_loaders.h"
#include "net/gzip.h"
#include "net/host_map.h"
#include "net/http_helpers.h"
#include "platform/files.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>
#include <mutex>

using namespace brivane;
using namespace brivane::test;

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";
// Sent as it is: the server compresses text types for clients that accept gzip.
constexpr const char* kBinary = "application/octet-stream";

// Where the fixture pages stand on the directories' sites.
const std::string kCNetProduct =
    std::string(kCNetSiteURL) + "/Ad-Aware-Free-Antivirus/3000-8022_4-10045910.html";
const std::string kCNetInterstitial = "/cnet/3001-8022_4-10045910.html";
const std::string kBetanewsProduct = std::string(kBetanewsSiteURL) + "/download/klcp-basic";
const std::string kBetanewsDownload = "/betanews/download/1374255375/klcp_basic_1205.exe";

const std::string kCNetInstaller = "https://files.downloadnow.com/s/software/10/04/59/10/"
                                   "Adaware_Installer.exe?token=1454700000_4f1c";
const std::string kBetanewsInstaller =
    "https://files.betanews.com/sites/default/files/downloads/klcp_basic_1205.exe";

std::string Fixture(const std::string& aName) {
    return platform::ReadFileBytes(std::string(BRIVANE_FIXTURES_DIR) + "/pages/" + aName, 1 << 20)
        .value();
}

std::string Replaced(std::string aText, const std::string& aFrom, const std::string& aTo) {
    const auto at = aText.find(aFrom);
    EXPECT_NE(at, std::string::npos) << aFrom;
    return at == std::string::npos ? aText : aText.replace(at, aFrom.size(), aTo);
}

// An address nobody answers: the port of a server that has stopped.
std::string DeadUrl(const char* aPath) {
    TLoopbackServer gone;
    return gone.Url(aPath);
}

struct TPage {
    std::string Body;
    std::string ContentType = kHtml;
    int Status = 200;
    std::string Location;
    std::string Encoding;
};

TPage Body(std::string aBody, std::string aContentType = kHtml, std::string aEncoding = {}) {
    TPage page;
    page.Body = std::move(aBody);
    page.ContentType = std::move(aContentType);
    page.Encoding = std::move(aEncoding);
    return page;
}

TPage Redirect(int aStatus, std::string aLocation) {
    TPage page;
    page.Status = aStatus;
    page.Location = std::move(aLocation);
    return page;
}

struct TRequestSeen {
    std::string Path;
    httplib::Params Params;
    std::string UserAgent;
    std::string AcceptEncoding;
};

// What either loader found.
struct TFields {
    std::string Version;
    std::string DownloadURL;
};

TFields LoadCNet(const std::string& aURL) {
    const TCNetInfo info = MakeCNetInfoLoader()->GetInfo(aURL);
    return {info.Version, info.DownloadURL};
}

TFields LoadBetanews(const std::string& aURL) {
    const TBetanewsInfo info = MakeBetanewsInfoLoader()->GetInfo(aURL);
    return {info.Version, info.DownloadURL};
}

class DownloadDirectoryLoadersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ServeFixtures();
        fServer.Server().Get(
            ".*", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                const std::lock_guard lock(fLock);
                fSeen.push_back({aRequest.path, aRequest.params,
                                 aRequest.get_header_value("User-Agent"),
                                 aRequest.get_header_value("Accept-Encoding")});
                const auto found = fPages.find(aRequest.path);
                if (found == fPages.end()) {
                    aResponse.status = 404;
                    return;
                }
                const TPage& page = found->second;
                aResponse.status = page.Status;
                if (!page.Location.empty()) {
                    aResponse.set_header("Location", page.Location);
                }
                if (!page.Encoding.empty()) {
                    aResponse.set_header("Content-Encoding", page.Encoding);
                }
                aResponse.set_content(page.Body.substr(0, fCut), page.ContentType);
            });
        fServer.Start();
        // Anything else the loaders might ask for ends on the server too, unanswered.
        const nlohmann::json hosts{{kCNetSiteURL, fServer.Url("/cnet")},
                                   {kBetanewsSiteURL, fServer.Url("/betanews")},
                                   {"*", fServer.Url("/elsewhere/{host}")}};
        net::SetHostMap(
            std::make_shared<const net::THostMap>(net::THostMap::Parse(hosts.dump(), "test")));
    }

    void TearDown() override { net::ResetHostMap(); }

    // The four fixture pages, whole, at their places.
    void ServeFixtures() {
        SetPage(kCNetProduct, Fixture("cnet_product.html"));
        SetPage(kCNetInterstitial, Fixture("cnet_download.html"));
        SetPage(kBetanewsProduct, Fixture("betanews_product.html"));
        SetPage(kBetanewsDownload, Fixture("betanews_download.html"));
        CutPagesAt(std::string::npos);
    }

    // aPath: an address on a directory's site, or a path on the server.
    void SetPage(const std::string& aPath, TPage aPage) {
        std::string path = aPath;
        for (const auto& [site, base] :
             {std::pair{kCNetSiteURL, "/cnet"}, std::pair{kBetanewsSiteURL, "/betanews"}}) {
            if (path.starts_with(site)) {
                path = base + path.substr(std::string_view(site).size());
            }
        }
        const std::lock_guard lock(fLock);
        fPages[path] = std::move(aPage);
    }

    void SetPage(const std::string& aPath, std::string aBody) {
        SetPage(aPath, Body(std::move(aBody)));
    }

    // Every page is served cut off after this many bytes.
    void CutPagesAt(std::size_t aSize) {
        const std::lock_guard lock(fLock);
        fCut = aSize;
    }

    std::vector<TRequestSeen> TakeSeen() {
        const std::lock_guard lock(fLock);
        return std::exchange(fSeen, {});
    }

    std::mutex fLock;
    std::map<std::string, TPage> fPages;
    std::vector<TRequestSeen> fSeen;
    std::size_t fCut = std::string::npos;
    TLoopbackServer fServer;
};

} // namespace

TEST_F(DownloadDirectoryLoadersTest, CNetReadsTheVersionAndTheLinkBehindDownloadNow) {
    const TCNetInfo info =
        MakeCNetInfoLoader()->GetInfo(kCNetProduct + "?part=dl-&amp;subj=dl&AMP;tag=button");
    EXPECT_EQ(info.Version, "11.9.662.8718");
    EXPECT_EQ(info.DownloadURL, kCNetInstaller);

    const auto seen = TakeSeen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Path, "/cnet/Ad-Aware-Free-Antivirus/3000-8022_4-10045910.html");
    // Entities of an HTML attribute are sent as plain separators.
    const httplib::Params params{{"part", "dl-"}, {"subj", "dl"}, {"tag", "button"}};
    EXPECT_EQ(seen[0].Params, params);
    EXPECT_EQ(seen[1].Path, kCNetInterstitial);
    for (const auto& request : seen) {
        EXPECT_EQ(request.UserAgent, "Brivane");
        EXPECT_EQ(request.AcceptEncoding, "gzip, deflate");
    }
}

TEST_F(DownloadDirectoryLoadersTest, BetanewsDecodesTheDownloadLinkAndPutsTheSiteInFront) {
    const TBetanewsInfo info = MakeBetanewsInfoLoader()->GetInfo(kBetanewsProduct + "?a=1&amp;b=2");
    EXPECT_EQ(info.Version, "12.0.5");
    EXPECT_EQ(info.DownloadURL, kBetanewsInstaller);

    const auto seen = TakeSeen();
    ASSERT_EQ(seen.size(), 2u);
    const httplib::Params asGiven{{"a", "1"}, {"amp;b", "2"}};
    EXPECT_EQ(seen[0].Params, asGiven);
    // "%5F", "+" and "%26" decoded: two fields, the first with a blank.
    EXPECT_EQ(seen[1].Path, kBetanewsDownload);
    const httplib::Params decoded{{"fast", "1"}, {"mirror", "Main Site"}};
    EXPECT_EQ(seen[1].Params, decoded);
    for (const auto& request : seen) {
        EXPECT_EQ(request.UserAgent, "Brivane");
    }

    // A link without its leading "/" still names a page of the site.
    SetPage(kBetanewsProduct,
            Replaced(Fixture("betanews_product.html"), "href=\"/download/", "href=\"download/"));
    EXPECT_EQ(LoadBetanews(kBetanewsProduct).DownloadURL, kBetanewsInstaller);
}

TEST_F(DownloadDirectoryLoadersTest, PagesWithoutTheExpectedPartsLeaveFieldsEmpty) {
    struct TCase {
        const char* What;
        bool CNet;
        std::string Page;
        std::string Body;
        std::string Version;
        std::string DownloadURL;
        std::size_t Requests;
    };
    const std::string cnet = Fixture("cnet_product.html");
    const std::string betanews = Fixture("betanews_product.html");
    const TCase cases[] = {
        {"CNet page without Download Now", true, kCNetProduct,
         Replaced(cnet, "Download Now", "Download Later"), "11.9.662.8718", "", 1},
        {"CNet link in double quotes", true, kCNetProduct,
         Replaced(cnet, "href='https://download.cnet.com/3001-8022_4-10045910.html?spi=8e3d4c'",
                  "href=\"https://download.cnet.com/3001-8022_4-10045910.html?spi=8e3d4c\""),
         "11.9.662.8718", "", 1},
        {"CNet page without a version", true, kCNetProduct,
         Replaced(cnet, "11.9.662.8718", "unknown"), "", kCNetInstaller, 2},
        {"CNet interstitial without its restart link", true, kCNetInterstitial,
         Replaced(Fixture("cnet_download.html"), "restart the download", "retry"), "11.9.662.8718",
         "", 2},
        {"CNet unrelated page", true, kCNetProduct, "<html><body>Moved</body></html>", "", "", 1},
        {"Betanews page without Download Now", false, kBetanewsProduct,
         Replaced(betanews, "Download Now", "Get it"), "12.0.5", "", 1},
        {"Betanews page without a version", false, kBetanewsProduct,
         Replaced(betanews, "itemprop=\"softwareVersion\"", "itemprop=\"version\""), "",
         kBetanewsInstaller, 2},
        {"Betanews download page without click here", false, kBetanewsDownload,
         Replaced(Fixture("betanews_download.html"), "click here", "mirror"), "12.0.5", "", 2},
        {"Betanews empty page", false, kBetanewsProduct, "", "", "", 1},
    };
    for (const TCase& c : cases) {
        ServeFixtures();
        SetPage(c.Page, c.Body);
        const TFields fields = c.CNet ? LoadCNet(kCNetProduct) : LoadBetanews(kBetanewsProduct);
        EXPECT_EQ(fields.Version, c.Version) << c.What;
        EXPECT_EQ(fields.DownloadURL, c.DownloadURL) << c.What;
        EXPECT_EQ(TakeSeen().size(), c.Requests) << c.What;
    }
}

TEST_F(DownloadDirectoryLoadersTest, TruncatedPagesGiveEachFieldWholeOrNotAtAll) {
    struct TLoader {
        TFields (*Load)(const std::string&);
        std::string URL;
        TFields Expected;
        std::string Page;
    };
    const TLoader loaders[] = {
        {LoadCNet, kCNetProduct, {"11.9.662.8718", kCNetInstaller}, Fixture("cnet_product.html")},
        {LoadBetanews,
         kBetanewsProduct,
         {"12.0.5", kBetanewsInstaller},
         Fixture("betanews_product.html")},
    };
    for (const TLoader& loader : loaders) {
        // Both pages of a loader are cut at the same length.
        bool versionAlone = false;
        for (std::size_t size = 0; size <= loader.Page.size(); size += 13) {
            CutPagesAt(size);
            const TFields fields = loader.Load(loader.URL);
            // The version is read wherever the page ends after it, and cut short
            // where the page ends inside it.
            const std::size_t versionAt = loader.Page.find(loader.Expected.Version);
            const std::size_t versionEnd = versionAt + loader.Expected.Version.size();
            if (size <= versionAt) {
                EXPECT_EQ(fields.Version, "") << size;
            } else if (size >= versionEnd) {
                EXPECT_EQ(fields.Version, loader.Expected.Version) << size;
            } else {
                EXPECT_EQ(fields.Version, loader.Page.substr(versionAt, size - versionAt));
            }
            EXPECT_TRUE(fields.DownloadURL.empty() ||
                        fields.DownloadURL == loader.Expected.DownloadURL)
                << fields.DownloadURL;
            versionAlone = versionAlone || (!fields.Version.empty() && fields.DownloadURL.empty());
        }
        EXPECT_TRUE(versionAlone) << loader.URL;
        CutPagesAt(std::string::npos);
        const TFields whole = loader.Load(loader.URL);
        EXPECT_EQ(whole.Version, loader.Expected.Version);
        EXPECT_EQ(whole.DownloadURL, loader.Expected.DownloadURL);
    }
}

TEST_F(DownloadDirectoryLoadersTest, OversizedPageIsNotRead) {
    std::string page = Fixture("cnet_product.html");
    page.resize(net::kMaxTextBodySize + 1, ' ');
    SetPage(kCNetProduct, Body(std::move(page), kBinary));
    const TFields fields = LoadCNet(kCNetProduct);
    EXPECT_EQ(fields.Version, "");
    EXPECT_EQ(fields.DownloadURL, "");
    EXPECT_EQ(TakeSeen().size(), 1u);
}

TEST_F(DownloadDirectoryLoadersTest, DownloadLinksThatRedirectAreFollowed) {
    // To an absolute address on the directory's site, and to a site-relative one.
    SetPage(kCNetInterstitial, Redirect(302, std::string(kCNetSiteURL) + "/thank-you.html"));
    SetPage("/cnet/thank-you.html", Fixture("cnet_download.html"));
    SetPage(kBetanewsDownload, Redirect(301, "/mirror/klcp_basic_1205.exe"));
    SetPage("/betanews/mirror/klcp_basic_1205.exe", Fixture("betanews_download.html"));

    const TFields cnet = LoadCNet(kCNetProduct);
    EXPECT_EQ(cnet.Version, "11.9.662.8718");
    EXPECT_EQ(cnet.DownloadURL, kCNetInstaller);
    const TFields betanews = LoadBetanews(kBetanewsProduct);
    EXPECT_EQ(betanews.Version, "12.0.5");
    EXPECT_EQ(betanews.DownloadURL, kBetanewsInstaller);
    EXPECT_EQ(TakeSeen().size(), 6u);
}

TEST_F(DownloadDirectoryLoadersTest, FailedRequestsLeaveFieldsEmpty) {
    const std::string dead = DeadUrl("/product.html");
    EXPECT_EQ(LoadCNet(dead).Version, "");
    EXPECT_EQ(LoadBetanews(dead).Version, "");

    // The interstitial page cannot be reached: the version alone.
    SetPage(kCNetProduct,
            Replaced(Fixture("cnet_product.html"),
                     "https://download.cnet.com/3001-8022_4-10045910.html?spi=8e3d4c", dead));
    const TFields cnet = LoadCNet(kCNetProduct);
    EXPECT_EQ(cnet.Version, "11.9.662.8718");
    EXPECT_EQ(cnet.DownloadURL, "");

    // A body that ends before its announced length fails the request.
    const std::string page = Fixture("betanews_product.html");
    TRawLoopbackServer cutOff([&page](int aSocket) {
        ReadRequestHead(aSocket);
        SendAll(aSocket, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                             std::to_string(page.size() + 100) + "\r\n\r\n" + page);
    });
    const TFields betanews = LoadBetanews(cutOff.Url("/product.html"));
    EXPECT_EQ(betanews.Version, "");
    EXPECT_EQ(betanews.DownloadURL, "");
}

TEST_F(DownloadDirectoryLoadersTest, GzipBodyThatDoesNotDecodeIsTheOneError) {
    SetPage(kCNetProduct, Body("not gzip", kBinary, "gzip"));
    EXPECT_THROW(MakeCNetInfoLoader()->GetInfo(kCNetProduct), net::EGzipError);
    SetPage(kBetanewsDownload, Body("not gzip", kBinary, "gzip"));
    EXPECT_THROW(MakeBetanewsInfoLoader()->GetInfo(kBetanewsProduct), net::EGzipError);
}
