// Page fetches on top of the client: default headers, gzip, code pages, limits
// and how failures surface.

#include "net/code_page.h"
#include "net/gzip.h"
#include "net/http_helpers.h"
#include "support/gzip_encode.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace brivane::net;
using brivane::test::DeflateEncode;
using brivane::test::GzipEncode;
using brivane::test::TLoopbackServer;

namespace {

constexpr const char* kBinary = "application/octet-stream";

class HttpHelpersTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& s = fServer.Server();
        s.Get("/agent", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            const std::lock_guard lock(fLock);
            fHeaders = aRequest.headers;
            aResponse.set_content("ok", kBinary);
        });
        const auto serve = [&s](const char* aPath, std::string aBody, std::string aEncoding,
                                std::string aType = kBinary, int aStatus = 200) {
            s.Get(aPath, [=](const httplib::Request&, httplib::Response& aResponse) {
                aResponse.status = aStatus;
                if (!aEncoding.empty()) {
                    aResponse.set_header("Content-Encoding", aEncoding);
                }
                aResponse.set_content(aBody, aType);
            });
        };
        serve("/utf8", "Привет", "");
        serve("/gzip-upper", GzipEncode("сжатый текст"), "GZIP");
        serve("/x-gzip", GzipEncode("x"), "x-gzip");
        serve("/deflate", DeflateEncode("zlib-wrapped"), "deflate");
        serve("/raw-deflate", DeflateEncode("raw", true), "Deflate");
        serve("/bad-deflate", "not really compressed", "deflate");
        serve("/bad-gzip", "plain bytes", "gzip");
        serve("/empty", "", "");
        serve("/empty-gzip", "", "gzip");
        serve("/missing", "no such page", "", kBinary, 404);
        serve("/cp1251", "\xCF\xF0\xE8\xE2\xE5\xF2", "", "text/plain; charset=\"Windows-1251\"");
        serve("/nocharset", "Привет", "", kBinary);
        // Large bodies are made once, when first asked for.
        s.Get("/bomb", [](const httplib::Request&, httplib::Response& aResponse) {
            static const std::string bomb = GzipEncode(std::string(kMaxDecodedBodySize + 1, '\0'));
            aResponse.set_header("Content-Encoding", "gzip");
            aResponse.set_content(bomb, kBinary);
        });
        s.Get("/huge", [](const httplib::Request&, httplib::Response& aResponse) {
            static const std::string huge(kMaxTextBodySize + 1, 'h');
            aResponse.set_content(huge, kBinary);
        });
        // The server compresses text itself for clients that accept gzip.
        serve("/html", std::string(5000, 'w'), "", "text/html");
        fServer.Start();
    }

    std::string Url(const char* aPath) const { return fServer.Url(aPath); }

    std::string HeaderSeen(const char* aName) {
        const std::lock_guard lock(fLock);
        const auto found = fHeaders.find(aName);
        return found == fHeaders.end() ? std::string() : found->second;
    }

    TLoopbackServer fServer;
    std::mutex fLock;
    httplib::Headers fHeaders;
};

// An address nobody answers: the port of a server that has stopped.
std::string DeadUrl() {
    TLoopbackServer gone;
    return gone.Url("/");
}

} // namespace

TEST_F(HttpHelpersTest, ClientsSendTheDefaultHeaders) {
    TMemoryContent body;
    CreateHTTPClient()->Get(Url("/agent"), &body);
    EXPECT_EQ(HeaderSeen("User-Agent"), "Brivane");
    EXPECT_EQ(HeaderSeen("Accept"),
              "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    EXPECT_EQ(HeaderSeen("Accept-Language"), "en-US,en;q=0.8,ru;q=0.6");
    EXPECT_EQ(HeaderSeen("Accept-Charset"), "utf-8;q=0.7,*;q=0.3");
    EXPECT_EQ(HeaderSeen("Accept-Encoding"), "gzip, deflate");

    auto update = CreateUpdateClient();
    EXPECT_TRUE(update->HandleRedirects());
    update->Get(Url("/agent"), &body);
    EXPECT_EQ(HeaderSeen("User-Agent"), THTTPClient::kDefaultUserAgent);
    EXPECT_EQ(HeaderSeen("Accept-Encoding"), "gzip, deflate");
}

TEST_F(HttpHelpersTest, PageTextDecodesGzipAndDeflateInAnyCase) {
    const std::pair<const char*, std::string> cases[] = {
        {"/utf8", "Привет"},     {"/gzip-upper", "сжатый текст"},
        {"/x-gzip", "x"},        {"/deflate", "zlib-wrapped"},
        {"/raw-deflate", "raw"}, {"/html", std::string(5000, 'w')},
        {"/empty", ""},          {"/empty-gzip", ""},
    };
    for (const auto& [path, text] : cases) {
        EXPECT_EQ(GetPageTextOnce(Url(path), kCodePageUtf8), text) << path;
        EXPECT_EQ(GetUpdateText(Url(path), 0), text) << path;
    }
}

TEST_F(HttpHelpersTest, PageTextPassesTheResponseOnWhateverItsStatus) {
    int status = 0;
    EXPECT_EQ(GetPageTextOnce(Url("/missing"), kCodePageUtf8,
                              [&](const IHTTPResponse& aResponse) {
                                  status = aResponse.GetStatusCode();
                                  throw std::runtime_error("dropped");
                              }),
              "no such page");
    EXPECT_EQ(status, 404);
}

TEST_F(HttpHelpersTest, FailedRequestsGiveEmptyTextAndNoResponse) {
    bool called = false;
    const auto onResponse = [&](const IHTTPResponse&) { called = true; };
    EXPECT_EQ(GetPageTextOnce(DeadUrl(), kCodePageUtf8, onResponse), "");
    EXPECT_EQ(GetPageTextOnce("no address", kCodePageUtf8, onResponse), "");
    // A body beyond the memory limit fails its request.
    EXPECT_EQ(GetPageTextOnce(Url("/huge"), kCodePageUtf8, onResponse), "");
    EXPECT_FALSE(called);
    EXPECT_EQ(GetUpdateText(DeadUrl(), 0), "");
    EXPECT_EQ(GetUpdateText(Url("/huge"), 0), "");
}

TEST_F(HttpHelpersTest, BadGzipRaisesFromPageTextOnly) {
    for (const char* path : {"/bad-gzip", "/bad-deflate"}) {
        EXPECT_THROW(GetPageTextOnce(Url(path), kCodePageUtf8), EGzipError) << path;
        EXPECT_EQ(GetUpdateText(Url(path), 0), "") << path;
    }
    try {
        GetPageTextOnce(Url("/bomb"), kCodePageUtf8);
        FAIL() << "no error";
    } catch (const EGzipError& e) {
        EXPECT_NE(std::string(e.what()).find("exceeds the limit"), std::string::npos);
    }
    EXPECT_EQ(GetUpdateText(Url("/bomb"), 0), "");
}

TEST_F(HttpHelpersTest, UpdateTextFollowsTheDeclaredCharset) {
    EXPECT_EQ(GetUpdateText(Url("/cp1251"), 0), "Привет");
    EXPECT_EQ(GetUpdateText(Url("/nocharset"), 0), "Привет");
    EXPECT_EQ(GetUpdateText(Url("/nocharset"), 20866), "п÷я─п╦п╡п╣я┌");
    EXPECT_EQ(GetPageTextOnce(Url("/cp1251"), 1251), "Привет");
}

TEST_F(HttpHelpersTest, ContentCodePageReadsTheCharset) {
    EXPECT_EQ(ContentCodePage(nullptr), 0);
    std::vector<int> codePages;
    const auto record = [&](const IHTTPResponse& aResponse) {
        codePages.push_back(ContentCodePage(&aResponse));
    };
    GetPageTextOnce(Url("/cp1251"), kCodePageUtf8, record);
    GetPageTextOnce(Url("/nocharset"), kCodePageUtf8, record);
    EXPECT_EQ(codePages, (std::vector<int>{1251, 0}));
}
