#pragma once
// Helpers of the transport tests: the caught failure of a call, what the platform's
// transport says in its own words, and a proxy beside an origin.

#include "net/http_client.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brivane::test {

// The start of the message of a body that timed out: the transport's error code and
// curl's text (WinINet's text is the system's, and differs between Windows versions
// and Wine).
#ifdef _WIN32
inline constexpr std::string_view kBodyTimedOut = "Error reading data: (12002) ";
#else
inline constexpr std::string_view kBodyTimedOut = "Error reading data: (28) Timeout was reached";
#endif

// The message and detail of the TException aCall throws; a failure when it throws none.
template <class TException>
std::pair<std::string, std::string> CaughtMessage(const std::function<void()>& aCall) {
    try {
        aCall();
    } catch (const TException& e) {
        return {e.what(), e.Detail()};
    }
    ADD_FAILURE() << "no exception";
    return {};
}

// A proxy and an origin on 127.0.0.1: the proxy answers "via proxy" to anything and
// keeps the targets it was asked for; the origin answers "direct" at /x.
class TProxyAndOrigin {
public:
    TProxyAndOrigin() {
        fProxy.Server().Get(".*",
                            [this](const httplib::Request& aRequest, httplib::Response& aResponse) {
                                const std::lock_guard guard(fLock);
                                fTargets.push_back(aRequest.target);
                                aResponse.set_content("via proxy", "application/octet-stream");
                            });
        fProxy.Start();
        fOrigin.Server().Get("/x", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_content("direct", "application/octet-stream");
        });
        fOrigin.Start();
    }

    const TLoopbackServer& Proxy() const { return fProxy; }
    std::string OriginUrl() const { return fOrigin.Url("/x"); }
    // The body aClient gets for the origin's /x.
    std::string Fetch(net::THTTPClient& aClient) const {
        net::TMemoryContent body;
        aClient.Get(OriginUrl(), &body);
        return body.Take();
    }
    std::vector<std::string> Targets() {
        const std::lock_guard guard(fLock);
        return fTargets;
    }

private:
    std::mutex fLock;
    std::vector<std::string> fTargets;
    TLoopbackServer fProxy; // the servers last: they stop before the rest goes
    TLoopbackServer fOrigin;
};

} // namespace brivane::test
