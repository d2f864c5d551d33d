// The client's loop against a loopback server: redirects, methods, cookies,
// headers, progress and aborts, ranges and connection reuse.

#include "net/http_client.h"
#include "net/net_errors.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <thread>

using namespace brivane::net;
using brivane::test::TLoopbackServer;

namespace {

constexpr const char* kBinary = "application/octet-stream";

std::string HeaderOf(const httplib::Headers& aHeaders, const char* aName) {
    const auto found = aHeaders.find(aName);
    return found == aHeaders.end() ? std::string() : found->second;
}

// What the server saw of one request; written on server threads.
struct TSeen {
    std::string Method;
    std::string Path;
    std::string Body;
    httplib::Headers Headers;
    int RemotePort = 0;
};

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& s = fServer.Server();
        // /hop/N redirects N times before it answers.
        s.Get(R"(/hop/(\d+))",
              [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                  Record(aRequest);
                  const int left = std::stoi(aRequest.matches[1]);
                  if (left == 0) {
                      aResponse.set_content("arrived", kBinary);
                  } else {
                      aResponse.set_redirect("/hop/" + std::to_string(left - 1), 302);
                  }
              });
        s.Get(R"(/status/(\d+))",
              [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                  Record(aRequest);
                  aResponse.status = std::stoi(aRequest.matches[1]);
                  aResponse.set_header("Location", "/hop/0");
                  aResponse.set_content("moved body", kBinary);
              });
        s.Get("/choices", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.status = 300;
            aResponse.set_content("pick one", kBinary);
        });
        s.Post("/form", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_redirect("/landing", 302);
        });
        const auto landing = [this](const httplib::Request& aRequest,
                                    httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_content("landed", kBinary);
        };
        s.Get("/landing", landing);
        s.Post("/landing", landing);
        s.Put("/put", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_redirect("/put-here", 307);
        });
        s.Put("/put-here", landing);
        s.Post("/echo", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_content(aRequest.body, kBinary);
        });
        s.Get("/login", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_header("Set-Cookie", "session=abc; Path=/");
            aResponse.set_header("Set-Cookie", "scoped=1; Path=/app");
            aResponse.set_redirect("/app/page", 302);
        });
        const auto echoCookie = [this](const httplib::Request& aRequest,
                                       httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_content(aRequest.get_header_value("Cookie"), kBinary);
        };
        s.Get("/app/page", echoCookie);
        s.Get("/other", echoCookie);
        s.Get("/multi", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_header("X-Multi", "a");
            aResponse.set_header("X-Multi", "b");
            aResponse.set_header("Set-Cookie", "c=1");
            aResponse.set_content("", kBinary);
        });
        s.Get("/data", [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
            Record(aRequest);
            aResponse.set_header("X-Tag", "kept");
            aResponse.set_content(Data(), kBinary);
        });
        s.Get("/chunked", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_chunked_content_provider(
                kBinary, [](size_t aOffset, httplib::DataSink& aSink) {
                    if (aOffset < Data().size()) {
                        const auto piece = std::min<size_t>(3000, Data().size() - aOffset);
                        aSink.write(Data().data() + aOffset, piece);
                    } else {
                        aSink.done();
                    }
                    return true;
                });
        });
        fServer.Start();
    }

    static const std::string& Data() {
        static const std::string data = [] {
            std::string bytes(100000, '\0');
            for (size_t i = 0; i < bytes.size(); ++i) {
                bytes[i] = static_cast<char>('a' + i % 26);
            }
            return bytes;
        }();
        return data;
    }

    void Record(const httplib::Request& aRequest) {
        const std::lock_guard lock(fLock);
        fSeen.push_back({aRequest.method, aRequest.path, aRequest.body, aRequest.headers,
                         aRequest.remote_port});
    }

    std::vector<TSeen> Seen() {
        const std::lock_guard lock(fLock);
        return fSeen;
    }

    std::string Url(const char* aPath) const { return fServer.Url(aPath); }

    TLoopbackServer fServer;
    std::mutex fLock;
    std::vector<TSeen> fSeen;
    std::unique_ptr<THTTPClient> fClient = THTTPClient::Create();
};

} // namespace

TEST_F(HttpClientTest, FollowsRedirectsUpToTheLimit) {
    TMemoryContent body;
    const auto response = fClient->Get(Url("/hop/5"), &body);
    EXPECT_EQ(response->GetStatusCode(), 200);
    EXPECT_EQ(response->GetStatusText(), "OK");
    EXPECT_EQ(response->GetVersion(), THTTPProtocolVersion::HTTP_1_1);
    EXPECT_EQ(response->GetURL(), Url("/hop/0"));
    EXPECT_EQ(body.Bytes(), "arrived"); // the redirects' bodies are gone

    try {
        fClient->Get(Url("/hop/6"));
        FAIL() << "no error";
    } catch (const ENetHTTPRequestException& e) {
        EXPECT_STREQ(e.what(), "Maximum number of redirections (5) exceeded");
    }
    fClient->SetMaxRedirects(1);
    EXPECT_EQ(fClient->Get(Url("/hop/1"))->GetStatusCode(), 200);
    EXPECT_THROW(fClient->Get(Url("/hop/2")), ENetHTTPRequestException);
}

TEST_F(HttpClientTest, FollowsEveryRedirectStatusWithALocation) {
    for (const int status : {301, 302, 303, 307, 308}) {
        const auto response = fClient->Get(Url(("/status/" + std::to_string(status)).c_str()));
        EXPECT_EQ(response->GetStatusCode(), 200) << status;
        EXPECT_EQ(response->GetURL(), Url("/hop/0")) << status;
    }
    // A 3xx without a Location is an answer like any other.
    TMemoryContent body;
    EXPECT_EQ(fClient->Get(Url("/choices"), &body)->GetStatusCode(), 300);
    EXPECT_EQ(body.Bytes(), "pick one");
}

TEST_F(HttpClientTest, StopsAtTheRedirectWhenNotFollowing) {
    fClient->SetHandleRedirects(false);
    for (const int status : {302, 308}) {
        TMemoryContent body;
        const auto response =
            fClient->Get(Url(("/status/" + std::to_string(status)).c_str()), &body);
        EXPECT_EQ(response->GetStatusCode(), status);
        EXPECT_EQ(response->GetHeaderValue("location"), "/hop/0");
        EXPECT_EQ(body.Bytes(), "moved body");
    }
    for (const auto& seen : Seen()) {
        EXPECT_NE(seen.Path, "/hop/0");
    }
}

TEST_F(HttpClientTest, HeadEndsAtTheRedirect) {
    const auto response = fClient->Head(Url("/hop/1"));
    EXPECT_EQ(response->GetStatusCode(), 302);
    ASSERT_EQ(Seen().size(), 1u);
    EXPECT_EQ(Seen()[0].Method, "HEAD");
}

TEST_F(HttpClientTest, PostRedirectedBy302BecomesGetWithoutBody) {
    TMemoryContent body;
    const auto response = fClient->Post(Url("/form"), "name=Иван Петров\r\nempty=", &body);
    EXPECT_EQ(body.Bytes(), "landed");
    const auto seen = Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Method, "POST");
    EXPECT_EQ(seen[0].Body,
              "name=%D0%98%D0%B2%D0%B0%D0%BD+%D0%9F%D0%B5%D1%82%D1%80%D0%BE%D0%B2&empty=");
    EXPECT_EQ(HeaderOf(seen[0].Headers, "Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(seen[1].Method, "GET");
    EXPECT_EQ(seen[1].Body, "");
    EXPECT_EQ(seen[1].Headers.count("Content-Type"), 0u);
    EXPECT_EQ(seen[1].Headers.count("Content-Length"), 0u);
}

TEST_F(HttpClientTest, PutRedirectedBy307KeepsMethodAndBody) {
    TMemoryContent body;
    fClient->Execute("PUT", Url("/put"), std::string("payload"), &body, {});
    const auto seen = Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].Method, "PUT");
    EXPECT_EQ(seen[1].Path, "/put-here");
    EXPECT_EQ(seen[1].Body, "payload");
    EXPECT_EQ(body.Bytes(), "landed");
}

TEST_F(HttpClientTest, KeepsCookiesAndSendsThemToMatchingPaths) {
    TMemoryContent page;
    fClient->Get(Url("/login"), &page);
    EXPECT_EQ(page.Bytes(), "scoped=1; session=abc");
    TMemoryContent other;
    fClient->Get(Url("/other"), &other);
    EXPECT_EQ(other.Bytes(), "session=abc");

    // A caller's own Cookie header goes first.
    TMemoryContent own;
    fClient->Get(Url("/other"), &own, {{"Cookie", "mine=1"}});
    EXPECT_EQ(own.Bytes(), "mine=1; session=abc");

    fClient->SetAllowCookies(false);
    TMemoryContent none;
    fClient->Get(Url("/other"), &none);
    EXPECT_EQ(none.Bytes(), "");
}

TEST_F(HttpClientTest, JoinsHeadersOfTheSameNameAndKeepsSetCookieOut) {
    const auto response = fClient->Get(Url("/multi"));
    EXPECT_EQ(response->GetHeaderValue("X-Multi"), "a, b");
    EXPECT_FALSE(response->ContainsHeader("Set-Cookie"));
    EXPECT_EQ(response->GetContentLength(), 0);
    EXPECT_EQ(fClient->CookieManager().CookieHeader(TURI::Parse(Url("/"))), "c=1");
}

TEST_F(HttpClientTest, ReportsEachBlockBeforeItIsRead) {
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
    fClient->SetOnReceiveData([&](const THTTPRequest&, std::int64_t aTotal, std::int64_t aRead,
                                  bool&) { reports.emplace_back(aTotal, aRead); });
    TMemoryContent body;
    fClient->Get(Url("/hop/2"), &body); // no reports for the redirects
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front(), std::make_pair(std::int64_t{7}, std::int64_t{0}));
    EXPECT_EQ(reports.size(), 1u);

    reports.clear();
    TMemoryContent data;
    fClient->Get(Url("/data"), &data);
    EXPECT_TRUE(data.Bytes() == Data());
    const auto size = static_cast<std::int64_t>(Data().size());
    ASSERT_GE(reports.size(), static_cast<size_t>(size / 4096));
    EXPECT_EQ(reports.front().second, 0);
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].first, size);
        const auto next = i + 1 < reports.size() ? reports[i + 1].second : size;
        EXPECT_GT(next, reports[i].second);
        EXPECT_LE(next - reports[i].second, 4096);
    }
}

TEST_F(HttpClientTest, UnknownLengthEndsWithAReportOfEverything) {
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
    fClient->SetOnReceiveData([&](const THTTPRequest&, std::int64_t aTotal, std::int64_t aRead,
                                  bool&) { reports.emplace_back(aTotal, aRead); });
    TMemoryContent body;
    fClient->Get(Url("/chunked"), &body);
    EXPECT_TRUE(body.Bytes() == Data());
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.front(), std::make_pair(std::int64_t{-1}, std::int64_t{0}));
    EXPECT_EQ(reports.back(),
              std::make_pair(std::int64_t{-1}, static_cast<std::int64_t>(Data().size())));
}

TEST_F(HttpClientTest, AbortKeepsStatusAndHeaders) {
    int calls = 0;
    fClient->SetOnReceiveData([&](const THTTPRequest&, std::int64_t, std::int64_t, bool& aAbort) {
        ++calls;
        aAbort = true;
    });
    TMemoryContent body;
    const auto response = fClient->Get(Url("/hop/1"), &body);
    EXPECT_EQ(response->GetStatusCode(), 200);
    EXPECT_EQ(response->GetURL(), Url("/hop/0"));
    EXPECT_EQ(calls, 1);

    TMemoryContent aborted;
    const auto data = fClient->Get(Url("/data"), &aborted);
    EXPECT_EQ(data->GetStatusCode(), 200);
    EXPECT_EQ(data->GetHeaderValue("X-Tag"), "kept");
    EXPECT_EQ(data->GetContentLength(), static_cast<std::int64_t>(Data().size()));
    EXPECT_EQ(aborted.Bytes(), "");

    // The client goes on working after an aborted transfer.
    fClient->SetOnReceiveData(nullptr);
    TMemoryContent whole;
    fClient->Get(Url("/data"), &whole);
    EXPECT_TRUE(whole.Bytes() == Data());
}

TEST_F(HttpClientTest, AbortMidwayKeepsWhatWasReported) {
    std::int64_t lastReport = -1;
    fClient->SetOnReceiveData(
        [&](const THTTPRequest&, std::int64_t, std::int64_t aRead, bool& aAbort) {
            lastReport = aRead;
            aAbort = aRead >= 10000;
        });
    TMemoryContent body;
    fClient->Get(Url("/data"), &body);
    ASSERT_GE(lastReport, 10000);
    EXPECT_EQ(static_cast<std::int64_t>(body.Bytes().size()), lastReport);
    EXPECT_TRUE(body.Bytes() == Data().substr(0, body.Bytes().size()));
}

TEST_F(HttpClientTest, RequestsRanges) {
    const struct {
        std::int64_t Start, End;
        const char* Header;
        std::string Body;
    } cases[] = {
        {10, 19, "bytes=10-19", Data().substr(10, 10)},
        {-1, 20, "bytes=-20", Data().substr(Data().size() - 20)},
        {99990, -1, "bytes=99990-", Data().substr(99990)},
    };
    for (const auto& range : cases) {
        TMemoryContent body;
        const auto response = fClient->GetRange(Url("/data"), range.Start, range.End, &body);
        EXPECT_EQ(response->GetStatusCode(), 206) << range.Header;
        EXPECT_EQ(body.Bytes(), range.Body) << range.Header;
        EXPECT_EQ(HeaderOf(Seen().back().Headers, "Range"), range.Header);
    }
}

TEST_F(HttpClientTest, ReusesOneConnection) {
    for (int i = 0; i < 5; ++i) {
        fClient->Get(Url("/hop/1"));
    }
    std::set<int> ports;
    for (const auto& seen : Seen()) {
        ports.insert(seen.RemotePort);
    }
    EXPECT_EQ(Seen().size(), 10u);
    EXPECT_EQ(ports.size(), 1u);
}

TEST_F(HttpClientTest, ClientsRunInParallel) {
    std::vector<std::thread> threads;
    std::atomic<int> good{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            auto client = THTTPClient::Create();
            for (int i = 0; i < 10; ++i) {
                TMemoryContent body;
                if (client->Get(Url("/hop/1"), &body)->GetStatusCode() == 200 &&
                    body.Bytes() == "arrived") {
                    ++good;
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(good.load(), 40);
}

TEST_F(HttpClientTest, MemoryContentRefusesBodiesOverItsLimit) {
    TMemoryContent body(1000);
    try {
        fClient->Get(Url("/data"), &body);
        FAIL() << "no error";
    } catch (const ENetHTTPResponseException& e) {
        EXPECT_STREQ(e.what(), "Response body exceeds the limit of 1000 bytes");
    }
    TMemoryContent small(7);
    fClient->Get(Url("/hop/0"), &small);
    EXPECT_EQ(small.Bytes(), "arrived");
}

TEST_F(HttpClientTest, RejectsAddressesItCannotSend) {
    EXPECT_THROW(fClient->Get("not an address"), ENetURIException);
    EXPECT_THROW(fClient->Get("ftp://127.0.0.1/x"), ENetHTTPClientException);
    EXPECT_TRUE(Seen().empty());
}
