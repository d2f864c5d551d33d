// The limits that keep a hostile or broken server from holding a request forever or
// filling memory: the time limit of a whole exchange, the minimum speed of a
// download, and the size of an answer's head.

#include "net/http_client.h"
#include "net/http_helpers.h"
#include "net/net_errors.h"
#include "net/transport_test_support.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

using namespace brivane::net;
using brivane::test::ReadRequestHead;
using brivane::test::SendAll;
using brivane::test::TRawLoopbackServer;
using namespace std::chrono_literals;

namespace {

// False once the peer has gone away.
bool SendByte(int aSocket, char aByte) {
#ifdef _WIN32
    return ::send(static_cast<SOCKET>(aSocket), &aByte, 1, 0) == 1;
#else
    return ::send(aSocket, &aByte, 1, MSG_NOSIGNAL) == 1;
#endif
}

// Set when a test is over: its tricklers stop then, even for a client that keeps its
// connection open after giving up (WinINet under Wine cannot close one whose head it
// is still reading).
std::atomic<bool> gStopTrickling{false};

// Declared after a test's servers, so that it goes before them.
class TTrickleGuard {
public:
    TTrickleGuard() { gStopTrickling = false; }
    ~TTrickleGuard() { gStopTrickling = true; }
    TTrickleGuard(const TTrickleGuard&) = delete;
    TTrickleGuard& operator=(const TTrickleGuard&) = delete;
};

// Sends aBytes, then one byte of aTrickle every aInterval until the client goes
// away, the test is over or the bytes run out.
void Trickle(int aSocket, std::string_view aBytes, std::string_view aTrickle,
             std::chrono::milliseconds aInterval) {
    SendAll(aSocket, aBytes);
    for (const char byte : aTrickle) {
        std::this_thread::sleep_for(aInterval);
        if (gStopTrickling || !SendByte(aSocket, byte)) {
            return;
        }
    }
}

// More than any limit of a test: a server that would go on for minutes.
const std::string kEndless(10'000, 'x');

struct TFailure {
    std::string Message;
    std::string Detail;
};

TFailure Failure(const std::function<void()>& aCall) {
    try {
        aCall();
    } catch (const ENetHTTPException& e) {
        return {e.what(), e.Detail()};
    }
    return {"no exception", ""};
}

constexpr const char* kNoAnswer = "Execution of request terminated with unknown error";
const std::string kBrokenOff(brivane::test::kBodyTimedOut);

} // namespace

TEST(HttpLimitsTest, PageRequestsEndAfterTheTimeLimitInAll) {
    // The server never pauses long enough for the "no data" timeout: only the
    // limit of the whole exchange ends it.
    const auto headTrickler = [](int aSocket) {
        ReadRequestHead(aSocket);
        Trickle(aSocket, "HTTP/1.1 200 OK\r\nX-Slow: ", kEndless, 20ms);
    };
    const auto bodyTrickler = [](int aSocket) {
        ReadRequestHead(aSocket);
        Trickle(aSocket, "HTTP/1.1 200 OK\r\nContent-Length: 20000\r\n\r\n", kEndless, 20ms);
    };
    struct TCase {
        const char* Name;
        std::function<void(THTTPClient&, const std::string&, TMemoryContent&)> Send;
        TRawLoopbackServer::THandler Server;
        const char* Message;
    };
    const TCase cases[] = {
        {"GET, slow head",
         [](THTTPClient& c, const std::string& u, TMemoryContent& b) { c.Get(u, &b); },
         headTrickler, kNoAnswer},
        {"HEAD", [](THTTPClient& c, const std::string& u, TMemoryContent&) { c.Head(u); },
         headTrickler, kNoAnswer},
        {"GET, slow body",
         [](THTTPClient& c, const std::string& u, TMemoryContent& b) { c.Get(u, &b); },
         bodyTrickler, kBrokenOff.c_str()},
        {"POST",
         [](THTTPClient& c, const std::string& u, TMemoryContent& b) { c.Post(u, "a=1", &b); },
         bodyTrickler, kBrokenOff.c_str()},
        {"range",
         [](THTTPClient& c, const std::string& u, TMemoryContent& b) { c.GetRange(u, 0, 99, &b); },
         bodyTrickler, kBrokenOff.c_str()},
    };
    for (const auto& test : cases) {
        const TRawLoopbackServer server(test.Server);
        const TTrickleGuard guard;
        auto client = THTTPClient::Create();
        client->SetTimeLimit(300ms);
        TMemoryContent body;
        const auto [message, detail] = Failure([&] { test.Send(*client, server.Url(), body); });
        EXPECT_TRUE(message.starts_with(test.Message)) << test.Name << ": " << message;
        EXPECT_EQ(detail, "no complete answer within 300 ms") << test.Name;
    }
}

TEST(HttpLimitsTest, TheTimeLimitCoversRedirects) {
    // Each answer comes quickly, but the redirects never end; the client follows
    // any number of them here, so only the time limit stops it.
    TRawLoopbackServer server([](int aSocket) {
        ReadRequestHead(aSocket);
        std::this_thread::sleep_for(50ms);
        SendAll(aSocket, "HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\n\r\n");
    });
    auto client = THTTPClient::Create();
    client->SetMaxRedirects(1'000'000);
    client->SetTimeLimit(300ms);
    // The limit may strike before or after the head of an answer: either message.
    EXPECT_EQ(Failure([&] { client->Get(server.Url()); }).Detail,
              "no complete answer within 300 ms");
}

TEST(HttpLimitsTest, DownloadsEndWhenTooSlowNotWhenLong) {
    TRawLoopbackServer slow([](int aSocket) {
        ReadRequestHead(aSocket);
        Trickle(aSocket, "HTTP/1.1 200 OK\r\nContent-Length: 20000\r\n\r\n", kEndless, 20ms);
    });
    const TTrickleGuard guard;
    auto client = THTTPClient::Create();
    client->SetTimeLimit(0ms);
    client->SetMinimumSpeed(TMinimumSpeed{1000, 300ms});
    TMemoryContent body;
    const auto [message, detail] = Failure([&] { client->Get(slow.Url(), &body); });
    EXPECT_TRUE(message.starts_with(kBrokenOff)) << message;
    EXPECT_EQ(detail, "slower than 1000 bytes/s for 300 ms");

    // Forty bytes over about a second: steady enough for 1 byte/s, and no time
    // limit cuts it short.
    const std::string steadyBody(40, 's');
    TRawLoopbackServer steady([&steadyBody](int aSocket) {
        ReadRequestHead(aSocket);
        Trickle(aSocket, "HTTP/1.1 200 OK\r\nContent-Length: 40\r\n\r\n", steadyBody, 25ms);
    });
    client->SetMinimumSpeed(TMinimumSpeed{1, 500ms});
    TMemoryContent all;
    client->Get(steady.Url(), &all);
    EXPECT_EQ(all.Bytes(), steadyBody);
}

TEST(HttpLimitsTest, PageAndDownloadClientsCarryTheirLimits) {
    const auto page = CreateHTTPClient();
    EXPECT_EQ(page->TimeLimit(), 60s);
    EXPECT_FALSE(page->MinimumSpeed());
    const auto download = CreateDownloadClient();
    EXPECT_EQ(download->TimeLimit(), 0ms);
    EXPECT_EQ(download->MinimumSpeed(), (TMinimumSpeed{1024, 60s}));
    EXPECT_EQ(download->UserAgent(), page->UserAgent());
}

TEST(HttpLimitsTest, OversizedHeadIsHeaderTooLarge) {
    // (One line of a megabyte: see posix/.)
    std::string lines;
    for (int i = 0; i < 20'000; ++i) {
        lines += "X-Line: " + std::to_string(i) + "\r\n";
    }
    TRawLoopbackServer server([&lines](int aSocket) {
        ReadRequestHead(aSocket);
        SendAll(aSocket, "HTTP/1.1 200 OK\r\n" + lines + "Content-Length: 2\r\n\r\nok");
    });
    const auto [message, detail] = Failure([&] { THTTPClient::Create()->Get(server.Url()); });
    EXPECT_EQ(message, kNoAnswer);
    EXPECT_EQ(detail, "header too large");
}
