// Every attempt of the HTTP client as a step of the check trace of its thread: method,
// address as sent (after the host map), status or the transport's error, body bytes.

#include "base/check_trace.h"
#include "net/host_map.h"
#include "net/http_client.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <thread>

using namespace brivane;
using namespace brivane::net;
using brivane::test::TLoopbackServer;

namespace brivane {
// Readable failures.
void PrintTo(const TTracedRequest& aRequest, std::ostream* aOut) {
    *aOut << aRequest.Method << ' ' << aRequest.Address << ' ' << aRequest.Status << " \""
          << aRequest.StatusText << "\" \"" << aRequest.Error << "\" " << aRequest.Bytes;
}
} // namespace brivane

namespace {

constexpr const char* kBinary = "application/octet-stream";

class RequestTraceTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& s = fServer.Server();
        s.Get("/moved", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_redirect("/page", 302);
        });
        s.Get("/page", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_content("0123456789", kBinary);
        });
        s.Post("/form", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_content("ok", kBinary);
        });
        s.Get("/loop", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_redirect("/loop", 302);
        });
        s.Get("/site/page", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_content("mapped", kBinary);
        });
        fServer.Start();
    }
    void TearDown() override { ResetHostMap(); }

    // The steps of the requests aRun makes while a trace is current.
    std::vector<TTraceStep> Traced(const std::function<void(THTTPClient&)>& aRun) {
        TCheckTrace trace(true);
        {
            const TCheckTraceScope scope(&trace);
            try {
                aRun(*fClient);
            } catch (const std::exception&) {
                // failed requests are what some cases look at
            }
        }
        return trace.Steps();
    }

    static TTracedRequest Step(const TTraceStep& aStep) {
        auto request = std::get<TTracedRequest>(aStep);
        request.Milliseconds = 0; // not something a test can know
        return request;
    }

    TLoopbackServer fServer;
    std::unique_ptr<THTTPClient> fClient = THTTPClient::Create();
};

TEST_F(RequestTraceTest, EachRedirectIsARequestOfItsOwnAndTheBodyStillArrives) {
    TMemoryContent body;
    const auto steps =
        Traced([&](THTTPClient& aClient) { aClient.Get(fServer.Url("/moved"), &body); });
    EXPECT_EQ(body.Bytes(), "0123456789");
    ASSERT_EQ(steps.size(), 2u);
    const auto first = Step(steps[0]);
    EXPECT_EQ(first.Method, "GET");
    EXPECT_EQ(first.Address, fServer.Url("/moved"));
    EXPECT_EQ(first.Status, 302);
    EXPECT_EQ(first.Error, "");
    EXPECT_EQ(Step(steps[1]), (TTracedRequest{"GET", fServer.Url("/page"), 200, "OK", "", 10, 0}));
}

TEST_F(RequestTraceTest, StatusesMethodsAndFailures) {
    EXPECT_EQ(Step(Traced([&](THTTPClient& c) { c.Get(fServer.Url("/missing")); })[0]),
              (TTracedRequest{"GET", fServer.Url("/missing"), 404, "Not Found", "", 0, 0}));
    EXPECT_EQ(Step(Traced([&](THTTPClient& c) { c.Head(fServer.Url("/page")); })[0]),
              (TTracedRequest{"HEAD", fServer.Url("/page"), 200, "OK", "", 0, 0}));
    EXPECT_EQ(Step(Traced([&](THTTPClient& c) { c.Post(fServer.Url("/form"), "a=1"); })[0]),
              (TTracedRequest{"POST", fServer.Url("/form"), 200, "OK", "", 2, 0}));

    const auto refused = Step(Traced([](THTTPClient& c) { c.Get("http://127.0.0.1:1/x"); })[0]);
    EXPECT_EQ(refused.Status, 0);
    EXPECT_NE(refused.Error, "");
    EXPECT_EQ(refused.Bytes, 0);

    fClient->SetMaxRedirects(2);
    const auto loop = Traced([&](THTTPClient& c) { c.Get(fServer.Url("/loop")); });
    ASSERT_EQ(loop.size(), 3u);
    EXPECT_EQ(Step(loop[2]).Status, 302);
    EXPECT_EQ(Step(loop[2]).Error, "Maximum number of redirections (2) exceeded");
}

TEST_F(RequestTraceTest, TheAddressIsTheOneSentAfterTheHostMap) {
    SetHostMap(std::make_shared<const THostMap>(THostMap::Parse(
        R"({"https://www.example.org": ")" + fServer.Origin() + R"(/site"})", "test")));
    const auto steps = Traced([](THTTPClient& c) { c.Get("https://www.example.org/page"); });
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(Step(steps[0]).Address, fServer.Url("/site/page"));
}

TEST_F(RequestTraceTest, RequestsOfAnotherThreadAreNotThisChecks) {
    TCheckTrace trace(true);
    const TCheckTraceScope scope(&trace);
    TMemoryContent body;
    std::thread([&] { fClient->Get(fServer.Url("/page"), &body); }).join();
    EXPECT_EQ(body.Bytes(), "0123456789");
    EXPECT_TRUE(trace.Steps().empty());
}

} // namespace
