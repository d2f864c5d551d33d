// The curl transport where it differs from WinINet: the system's proxy comes from
// the environment; answers without a status line, chunked bodies cut off and head
// lines of a megabyte are errors (WinINet reads the first as an HTTP/0.9 body, and
// Wine's takes the second as complete and drops the third); and the TLS servers of
// the tests (OpenSSL) exist on this system only.

#include "net/http_client.h"
#include "net/net_errors.h"
#include "net/transport_test_support.h"
#include "support/loopback_server.h"
#include "support/temp_dir.h"
#include "support/tls_certificate.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace brivane::net;
using brivane::test::CaughtMessage;
using brivane::test::ReadRequestHead;
using brivane::test::SendAll;
using brivane::test::TLoopbackServer;
using brivane::test::TRawLoopbackServer;
using brivane::test::TScopedEnv;

namespace {

constexpr const char* kBinary = "application/octet-stream";

} // namespace

TEST(HttpTransportPosixTest, ChunkedBodyCutOffIsAReadError) {
    TRawLoopbackServer server([](int aSocket) {
        ReadRequestHead(aSocket);
        SendAll(aSocket, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                         "10\r\n0123456789abcdef\r\n20\r\nabc");
    });
    TMemoryContent body;
    const auto [message, detail] = CaughtMessage<ENetHTTPResponseException>(
        [&] { THTTPClient::Create()->Get(server.Url("/"), &body); });
    EXPECT_TRUE(message.starts_with("Error reading data: (")) << message;
}

TEST(HttpTransportPosixTest, HeadLineOfAMegabyteIsHeaderTooLarge) {
    TRawLoopbackServer server([](int aSocket) {
        ReadRequestHead(aSocket);
        SendAll(aSocket, "HTTP/1.1 200 OK\r\nX-Big: " + std::string(1 << 20, 'a') +
                             "\r\nContent-Length: 2\r\n\r\nok");
    });
    const auto [message, detail] = CaughtMessage<ENetHTTPClientException>(
        [&] { THTTPClient::Create()->Get(server.Url("/")); });
    EXPECT_EQ(message, "Execution of request terminated with unknown error");
    EXPECT_EQ(detail, "header too large");
}

TEST(HttpTransportPosixTest, AnswerWithoutStatusLineIsAnError) {
    TRawLoopbackServer server([](int aSocket) {
        ReadRequestHead(aSocket);
        SendAll(aSocket, "garbage\r\n\r\n");
    });
    EXPECT_THROW(THTTPClient::Create()->Get(server.Url("/")), ENetHTTPClientException);
}

TEST(HttpTransportPosixTest, RefusesCertificatesTheSystemDoesNotTrust) {
    brivane::test::TSelfSignedCertificate certificate;
    TLoopbackServer server(certificate.Certificate(), certificate.Key());
    std::atomic<int> served{0};
    server.Server().Get("/", [&](const httplib::Request&, httplib::Response& aResponse) {
        ++served;
        aResponse.set_content("secret", kBinary);
    });
    server.Start();
    const auto [message, detail] = CaughtMessage<ENetHTTPCertificateException>(
        [&] { THTTPClient::Create()->Get(server.Url("/")); });
    EXPECT_EQ(message, "Server Certificate Invalid or not present");
    EXPECT_EQ(served.load(), 0);
}

TEST(HttpTransportPosixTest, SystemProxyComesFromTheEnvironment) {
    brivane::test::TProxyAndOrigin world;
    TScopedEnv noProxy("no_proxy", nullptr), noProxyUpper("NO_PROXY", nullptr);
    TScopedEnv system("http_proxy", world.Proxy().Origin().c_str());
    auto client = THTTPClient::Create();
    EXPECT_EQ(world.Fetch(*client), "via proxy");
    client->SetProxySettings({}); // settings written: direct, whatever the environment says
    EXPECT_EQ(world.Fetch(*client), "direct");
}
