#pragma once
// The HTTP transport over WinINet, the system's own: its proxy settings and its
// certificate store. WinINet only moves bytes: redirects, cookies and content
// decoding are left to the framework (it follows nothing, keeps no cookies,
// decodes nothing and caches nothing). Each client keeps one session handle;
// WinINet pools the connections behind it. A session outlives the requests opened
// under it: closing a handle closes its children too, and a child's number, free
// again, would soon name another request when its owner closed it later.

#include "net/http_client.h"

#include <memory>
#include <optional>
#include <string>

namespace brivane::net {

class TWinINetHTTPClient final : public THTTPClient {
public:
    // Opens no session yet: a request throws ENetHTTPClientException "Error obtaining
    // session handle" when WinINet gives none.
    TWinINetHTTPClient();
    ~TWinINetHTTPClient() override;

protected:
    TExecution ExecuteRequest(const THTTPRequest& aRequest, THTTPResponse& aResponse,
                              TContentStream* aContent) override;

private:
    class TAttempt;

    struct THandleCloser {
        void operator()(void* aHandle) const;
    };
    using THandle = std::unique_ptr<void, THandleCloser>;

    // The session for a request to aTarget under the current proxy settings: the
    // system's (none), a direct one ("") or one through the named proxy.
    std::shared_ptr<void> Session(const TURI& aTarget);

    std::shared_ptr<void> fSession;
    std::optional<std::string> fSessionProxy; // what fSession was opened for; none: the system's
};

} // namespace brivane::net
