#pragma once
// The client's cookie jar: keeps the cookies that servers set and hands them back
// to requests whose host, path and scheme match (the rules browsers follow:
// host-only and domain cookies, path prefixes, Secure, Expires and Max-Age).

#include "net/uri.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::net {

struct TCookie {
    std::string Name;
    std::string Value;
    std::string Domain; // lower case, without a leading dot
    std::string Path;
    bool HostOnly = true; // sent to Domain itself only, not to its subdomains
    bool Secure = false;  // sent over HTTPS only
    std::optional<std::int64_t>
        Expires; // seconds since the Unix epoch; none: until the client ends
};

class TCookieManager {
public:
    // Takes one Set-Cookie header value received from aURL. Cookies for another
    // domain, malformed ones (a control character anywhere but a tab, say) and
    // oversized ones are ignored; an expiry in the past
    // removes the stored cookie.
    void AddServerCookie(std::string_view aSetCookie, const TURI& aURL);

    // The Cookie header value for a request to aURL ("a=1; b=2"), or empty.
    std::string CookieHeader(const TURI& aURL) const;

    const std::vector<TCookie>& Cookies() const { return fCookies; }
    void Clear() { fCookies.clear(); }

private:
    std::vector<TCookie> fCookies; // in the order they were first set
};

} // namespace brivane::net
