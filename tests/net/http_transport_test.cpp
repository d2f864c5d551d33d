// The transport at its edges: what goes on the wire, servers that stall, break
// off or answer garbage, certificates nobody vouches for, proxies and the host map.

#include "net/host_map.h"
#include "net/http_client.h"
#include "net/net_errors.h"
#include "net/transport_test_support.h"
#include "support/gzip_encode.h"
#include "support/loopback_server.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>

using namespace brivane::net;
using brivane::test::CaughtMessage;
using brivane::test::ReadRequestHead;
using brivane::test::SendAll;
using brivane::test::TLoopbackServer;
using brivane::test::TRawLoopbackServer;
using brivane::test::TScopedEnv;
using brivane::test::TTempDir;

namespace {

constexpr const char* kBinary = "application/octet-stream";

// Lines of a request head after the request line, without the lines the transport
// writes for the connection itself (Host, Connection, and WinINet's Content-Length of
// an empty body).
std::vector<std::string> HeaderLines(const std::string& aHead) {
    std::vector<std::string> lines;
    size_t start = aHead.find("\r\n") + 2;
    for (size_t end; (end = aHead.find("\r\n", start)) != std::string::npos && end > start;
         start = end + 2) {
        const auto line = aHead.substr(start, end - start);
        if (!line.starts_with("Host:") && !line.starts_with("Connection:") &&
            line != "Content-Length: 0") {
            lines.push_back(line);
        }
    }
    return lines;
}

// Lets a server thread wait until the test has seen what it wanted.
class TGate {
public:
    void Open() {
        std::call_once(fOnce, [this] { fPromise.set_value(); });
    }
    std::shared_future<void> Waiter() const { return fFuture; }

private:
    std::once_flag fOnce;
    std::promise<void> fPromise;
    std::shared_future<void> fFuture = fPromise.get_future().share();
};

// A raw server that keeps the head of the latest request and sends a fixed answer.
class TRecordingServer {
public:
    explicit TRecordingServer(std::string aAnswer)
        : fServer([this, answer = std::move(aAnswer)](int aSocket) {
              const auto head = ReadRequestHead(aSocket);
              {
                  const std::lock_guard guard(fLock);
                  fHead = head;
              }
              SendAll(aSocket, answer);
          }) {}
    std::string Head() {
        const std::lock_guard guard(fLock);
        return fHead;
    }
    std::string Url(std::string_view aPath) const { return fServer.Url(aPath); }

private:
    std::mutex fLock;
    std::string fHead;
    TRawLoopbackServer fServer; // last: it stops before the rest goes
};

// Runs an action when it goes out of scope (opens gates before a server stops).
class TOnExit {
public:
    explicit TOnExit(std::function<void()> aAction) : fAction(std::move(aAction)) {}
    ~TOnExit() { fAction(); }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

private:
    std::function<void()> fAction;
};

} // namespace

TEST(HttpTransportTest, SendsHeadersInOrderWithReplacementsInPlace) {
    TRecordingServer server("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    auto client = THTTPClient::Create();
    client->SetCustomHeader("Accept", "text/html");
    client->SetCustomHeader("X-First", "1");
    client->SetUserAgent("Agent/2"); // replaces the default, where it stands
    client->SetCustomHeader("X-Injected", "a\r\nX-Evil: 1");
    client->Get(server.Url("/p?q=1"), nullptr, {{"x-first", "2"}, {"Referer", "http://r/"}});

    const std::string head = server.Head();
    EXPECT_TRUE(head.starts_with("GET /p?q=1 HTTP/1.1\r\n")) << head;
    const std::vector<std::string> expected{"User-Agent: Agent/2", "Accept: text/html",
                                            "X-First: 2",          "X-Injected: a  X-Evil: 1",
                                            "Referer: http://r/",  "Cache-Control: no-cache",
                                            "Pragma: no-cache"};
    EXPECT_EQ(HeaderLines(head), expected);
}

TEST(HttpTransportTest, DefaultUserAgentAndNoAcceptOfItsOwn) {
    TRecordingServer server("HTTP/1.0 204 No Content\r\n\r\n");
    const auto response = THTTPClient::Create()->Head(server.Url("/"));
    EXPECT_EQ(response->GetStatusCode(), 204);
    EXPECT_EQ(response->GetVersion(), THTTPProtocolVersion::HTTP_1_0);
    const std::string head = server.Head();
    EXPECT_TRUE(head.starts_with("HEAD / HTTP/1.1\r\n"));
    EXPECT_EQ(HeaderLines(head),
              (std::vector<std::string>{"User-Agent: Brivane-HTTP/1.0", "Cache-Control: no-cache",
                                        "Pragma: no-cache"}));
}

TEST(HttpTransportTest, RefusedConnectionIsAnUnknownError) {
    std::string url;
    {
        // The port of a server that has stopped: connections to it are refused.
        const TRawLoopbackServer gone([](int) {});
        url = gone.Url("/");
    }
    const auto [message, detail] =
        CaughtMessage<ENetHTTPClientException>([&] { THTTPClient::Create()->Get(url); });
    EXPECT_EQ(message, "Execution of request terminated with unknown error");
    EXPECT_FALSE(detail.empty());
}

TEST(HttpTransportTest, GarbageInsteadOfAnAnswerIsAnError) {
    // (WinINet reads text without a status line as an HTTP/0.9 body: see posix/.)
    for (const char* answer : {"HTTP/1.1 abc\r\n\r\n", ""}) {
        TRawLoopbackServer server([answer](int aSocket) {
            ReadRequestHead(aSocket);
            SendAll(aSocket, answer);
        });
        EXPECT_THROW(THTTPClient::Create()->Get(server.Url("/")), ENetHTTPClientException)
            << answer;
    }
}

TEST(HttpTransportTest, BodyCutOffIsAReadError) {
    // (A chunked body cut off: see posix/.)
    const char* answers[] = {
        "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" // 500 of 1000 bytes
        "0123456789012345678901234567890123456789012345678901234567890123456789"
        "0123456789012345678901234567890123456789012345678901234567890123456789",
    };
    for (const char* answer : answers) {
        TRawLoopbackServer server([answer](int aSocket) {
            ReadRequestHead(aSocket);
            SendAll(aSocket, answer);
        });
        TMemoryContent body;
        const auto [message, detail] = CaughtMessage<ENetHTTPResponseException>(
            [&] { THTTPClient::Create()->Get(server.Url("/"), &body); });
        EXPECT_TRUE(message.starts_with("Error reading data: (")) << message;
    }
}

TEST(HttpTransportTest, LeavesRedirectsCookiesAndDecodingToTheClient) {
    const std::string packed = brivane::test::GzipEncode("plain text");
    std::mutex lock;
    std::vector<std::string> heads;
    TRawLoopbackServer server([&](int aSocket) {
        const auto head = ReadRequestHead(aSocket);
        {
            const std::lock_guard guard(lock);
            heads.push_back(head);
        }
        SendAll(aSocket, head.starts_with("GET /set ")
                             ? "HTTP/1.1 302 Found\r\nSet-Cookie: own=1\r\nLocation: /next\r\n"
                               "Content-Length: 0\r\nConnection: close\r\n\r\n"
                             : "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: " +
                                   std::to_string(packed.size()) + "\r\nConnection: close\r\n\r\n" +
                                   packed);
    });
    auto client = THTTPClient::Create();
    client->SetHandleRedirects(false);
    client->SetAllowCookies(false);
    EXPECT_EQ(client->Get(server.Url("/set"))->GetStatusCode(), 302);
    TMemoryContent body;
    const auto response = client->Get(server.Url("/next"), &body, {{"Accept-Encoding", "gzip"}});
    EXPECT_EQ(response->GetContentEncoding(), "gzip");
    EXPECT_EQ(body.Bytes(), packed);

    const std::lock_guard guard(lock);
    ASSERT_EQ(heads.size(), 2u); // the redirect was not followed
    const std::vector<std::string> expected{"User-Agent: Brivane-HTTP/1.0", "Accept-Encoding: gzip",
                                            "Cache-Control: no-cache", "Pragma: no-cache"};
    EXPECT_EQ(HeaderLines(heads[1]), expected); // no cookie the transport kept of its own
}

TEST(HttpTransportTest, AnswersWithoutABodyEndAtTheirHead) {
    // A length on these names the resource, not a body that is to come.
    for (const char* answer : {"HTTP/1.1 304 Not Modified\r\nContent-Length: 100\r\n\r\n",
                               "HTTP/1.1 204 No Content\r\n\r\n"}) {
        TGate done;
        TRawLoopbackServer server([answer, waiter = done.Waiter()](int aSocket) {
            ReadRequestHead(aSocket);
            SendAll(aSocket, answer);
            waiter.wait(); // the connection stays open: only the head tells where the answer ends
        });
        const TOnExit openGate([&] { done.Open(); });
        TMemoryContent body;
        const auto response = THTTPClient::Create()->Get(server.Url("/"), &body);
        EXPECT_TRUE(response->GetStatusCode() == 304 || response->GetStatusCode() == 204) << answer;
        EXPECT_EQ(body.Bytes(), "") << answer;
    }
}

TEST(HttpTransportTest, BodyUntilCloseIsComplete) {
    TRawLoopbackServer server([](int aSocket) {
        ReadRequestHead(aSocket);
        SendAll(aSocket, "HTTP/1.0 200 OK\r\n\r\nall of it");
    });
    TMemoryContent body;
    const auto response = THTTPClient::Create()->Get(server.Url("/"), &body);
    EXPECT_EQ(response->GetContentLength(), -1);
    EXPECT_EQ(body.Bytes(), "all of it");
}

TEST(HttpTransportTest, CookiesWithControlBytesAreIgnoredNotSentBack) {
    std::mutex lock;
    std::string second;
    TRawLoopbackServer server([&](int aSocket) {
        const auto head = ReadRequestHead(aSocket);
        if (head.starts_with("GET /next")) {
            const std::lock_guard guard(lock);
            second = head;
            SendAll(aSocket, "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
            return;
        }
        SendAll(aSocket, "HTTP/1.1 302 Found\r\nSet-Cookie: evil=a\x01\x1B[31mb\r\n"
                         "Set-Cookie: del=x\x7F\r\nSet-Cookie: good=1\r\n"
                         "Location: /next\r\nContent-Length: 0\r\n\r\n");
    });
    TMemoryContent body;
    const auto response = THTTPClient::Create()->Get(server.Url("/"), &body);
    EXPECT_EQ(response->GetStatusCode(), 200);
    EXPECT_EQ(body.Bytes(), "ok");
    const std::lock_guard guard(lock);
    const auto lines = HeaderLines(second);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Cookie: good=1"), lines.end()) << second;
}

TEST(HttpTransportTest, StalledServerTimesOut) {
    TGate headGate, bodyGate;
    TRawLoopbackServer server(
        [headWaiter = headGate.Waiter(), bodyWaiter = bodyGate.Waiter()](int aSocket) {
            const auto head = ReadRequestHead(aSocket);
            if (head.starts_with("GET /body")) {
                SendAll(aSocket, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nsome");
                bodyWaiter.wait();
            } else {
                headWaiter.wait();
            }
        });
    const TOnExit openGates([&] {
        headGate.Open();
        bodyGate.Open();
    });
    auto client = THTTPClient::Create();
    client->SetResponseTimeout(std::chrono::milliseconds(200));

    const auto [beforeHead, detail] =
        CaughtMessage<ENetHTTPClientException>([&] { client->Get(server.Url("/head")); });
    EXPECT_EQ(beforeHead, "Execution of request terminated with unknown error");
    EXPECT_EQ(detail, "no data for 200 ms");
    headGate.Open(); // the server serves one connection at a time
    const auto [inBody, _] =
        CaughtMessage<ENetHTTPResponseException>([&] { client->Get(server.Url("/body")); });
    EXPECT_TRUE(inBody.starts_with(brivane::test::kBodyTimedOut)) << inBody;
}

TEST(HttpTransportTest, ProxySettingsChooseProxyOrDirect) {
    brivane::test::TProxyAndOrigin world;
    TScopedEnv noProxy("no_proxy", nullptr), noProxyUpper("NO_PROXY", nullptr);
    // Proxied requests first: Wine's WinINet sends a request for a proxy over a
    // connection it keeps to the origin itself, once there is one.
    auto client = THTTPClient::Create();
    const int port = world.Proxy().Port();
    client->SetProxySettings({"127.0.0.1", port, "http"});
    EXPECT_EQ(world.Fetch(*client), "via proxy");
    client->SetProxySettings({"127.0.0.1", port, ""});
    EXPECT_EQ(world.Fetch(*client), "via proxy");
    client->SetProxySettings({"127.0.0.1", port, "https"}); // for https only
    EXPECT_EQ(world.Fetch(*client), "direct");
    client->SetProxySettings({}); // no host: direct
    EXPECT_EQ(world.Fetch(*client), "direct");

    const auto targets = world.Targets();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0], world.OriginUrl());
}

class HostMapClientTest : public ::testing::Test {
protected:
    void TearDown() override { ResetHostMap(); }
};

TEST_F(HostMapClientTest, RewritesEveryRequestAndReportsTheOriginalAddress) {
    std::mutex lock;
    std::vector<std::string> paths;
    TLoopbackServer server;
    server.Server().Get(".*", [&](const httplib::Request& aRequest, httplib::Response& aResponse) {
        {
            const std::lock_guard guard(lock);
            paths.push_back(aRequest.target);
        }
        if (aRequest.path == "/pub/jump") {
            aResponse.set_header("Set-Cookie", "k=1");
            aResponse.set_redirect("http://other.localhost/z?w=2", 302);
        } else if (aRequest.path == "/pub/relative") {
            aResponse.set_redirect("/next", 301);
        } else {
            aResponse.set_content(aRequest.get_header_value("Cookie"), kBinary);
        }
    });
    server.Start();
    SetHostMap(std::make_shared<const THostMap>(
        THostMap::Parse(R"({"http://pub.localhost": ")" + server.Url("/pub") + R"(", "*": ")" +
                            server.Url("/any/{host}") + R"("})",
                        "test")));

    auto client = THTTPClient::Create();
    EXPECT_EQ(client->Get("http://pub.localhost/x?y=1")->GetURL(), "http://pub.localhost/x?y=1");
    TMemoryContent body;
    EXPECT_EQ(client->Get("http://pub.localhost/jump", &body)->GetURL(),
              "http://other.localhost/z?w=2");
    EXPECT_EQ(body.Bytes(), ""); // the cookie of pub.localhost stays there
    EXPECT_EQ(client->Get("http://pub.localhost/relative")->GetURL(), "http://pub.localhost/next");
    TMemoryContent back;
    client->Get("http://pub.localhost/x", &back);
    EXPECT_EQ(back.Bytes(), "k=1");

    const std::lock_guard guard(lock);
    const std::vector<std::string> expected{
        "/pub/x?y=1",    "/pub/jump", "/any/other.localhost/z?w=2",
        "/pub/relative", "/pub/next", "/pub/x"};
    EXPECT_EQ(paths, expected);
}

TEST_F(HostMapClientTest, BrokenMapFromEnvironmentFailsEveryRequest) {
    TTempDir folder;
    const auto file = folder.Write("hosts.json", R"({"*": 1})");
    TScopedEnv env("BRIVANE_HOSTS", file.string().c_str());
    ResetHostMap();
    for (int i = 0; i < 2; ++i) {
        const auto [message, detail] = CaughtMessage<ENetHTTPClientException>(
            [&] { THTTPClient::Create()->Get("http://pub.localhost/"); });
        EXPECT_EQ(message, "Host map '" + file.string() + "': the value of \"*\" is not a text");
    }
}
