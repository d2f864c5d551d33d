#include "net/cookie_manager.h"

#include "base/date_time.h"
#include "net/net_headers.h"

#include <algorithm>
#include <charconv>
#include <ctime>

namespace brivane::net {

namespace {

// Limits that keep a server from growing the jar without bound.
constexpr std::size_t kMaxCookieSize = 4096;
constexpr std::size_t kMaxCookies = 1000;

std::int64_t NowSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

bool IsIpLiteral(std::string_view aHost) {
    return aHost.starts_with('[') ||
           aHost.find_first_not_of("0123456789.") == std::string_view::npos;
}

bool DomainMatches(std::string_view aHost, const TCookie& aCookie) {
    if (aHost == aCookie.Domain) {
        return true;
    }
    return !aCookie.HostOnly && !IsIpLiteral(aHost) && aHost.size() > aCookie.Domain.size() &&
           aHost.ends_with(aCookie.Domain) &&
           aHost[aHost.size() - aCookie.Domain.size() - 1] == '.';
}

bool PathMatches(std::string_view aPath, std::string_view aCookiePath) {
    if (!aPath.starts_with(aCookiePath)) {
        return false;
    }
    return aPath.size() == aCookiePath.size() || aCookiePath.ends_with('/') ||
           aPath[aCookiePath.size()] == '/';
}

// The folder of the request path: "/a/b" gives "/a", "/a" gives "/".
std::string DefaultPath(std::string_view aPath) {
    const auto slash = aPath.rfind('/');
    if (slash == std::string_view::npos || slash == 0) {
        return "/";
    }
    return std::string(aPath.substr(0, slash));
}

std::optional<std::int64_t> ParseMaxAge(std::string_view aText) {
    std::int64_t seconds = 0;
    const auto* end = aText.data() + aText.size();
    const auto [ptr, error] = std::from_chars(aText.data(), end, seconds);
    if (error != std::errc() || ptr != end) {
        return std::nullopt;
    }
    // A zero or negative age expires the cookie at once.
    return seconds <= 0 ? 0 : NowSeconds() + std::min<std::int64_t>(seconds, 400LL * 86400);
}

// Control characters (a tab aside) have no place in a cookie; sent back as they are
// they would end or smuggle header lines, so browsers drop such cookies whole.
bool HasControlCharacter(std::string_view aText) {
    return std::any_of(aText.begin(), aText.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t') || byte == 0x7F;
    });
}

} // namespace

void TCookieManager::AddServerCookie(std::string_view aSetCookie, const TURI& aURL) {
    if (aSetCookie.size() > kMaxCookieSize || HasControlCharacter(aSetCookie)) {
        return;
    }
    std::string_view rest = aSetCookie;
    const auto take = [&rest] {
        const auto semicolon = rest.find(';');
        const auto part = rest.substr(0, semicolon);
        rest =
            semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
        return part;
    };
    const auto pair = take();
    const auto equals = pair.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    TCookie cookie;
    cookie.Name = TrimBlanks(pair.substr(0, equals));
    cookie.Value = TrimBlanks(pair.substr(equals + 1));
    if (cookie.Name.empty()) {
        return;
    }
    cookie.Domain = aURL.Host;
    cookie.Path = DefaultPath(aURL.Path);
    std::optional<std::int64_t> maxAge;
    while (!rest.empty()) {
        const auto attribute = take();
        const auto attributeEquals = attribute.find('=');
        const auto name = TrimBlanks(attribute.substr(0, attributeEquals));
        const auto value = attributeEquals == std::string_view::npos
                               ? std::string_view()
                               : TrimBlanks(attribute.substr(attributeEquals + 1));
        if (SameToken(name, "Domain") && !value.empty()) {
            std::string domain = LowerToken(value.starts_with('.') ? value.substr(1) : value);
            TCookie probe;
            probe.Domain = domain;
            probe.HostOnly = false;
            if (!DomainMatches(aURL.Host, probe)) {
                return; // a server may not set cookies for other sites
            }
            cookie.Domain = std::move(domain);
            cookie.HostOnly = false;
        } else if (SameToken(name, "Path") && value.starts_with('/')) {
            cookie.Path = value;
        } else if (SameToken(name, "Secure")) {
            cookie.Secure = true;
        } else if (SameToken(name, "Max-Age")) {
            if (auto parsed = ParseMaxAge(value)) {
                maxAge = parsed;
            }
        } else if (SameToken(name, "Expires")) {
            if (auto parsed = ParseHttpDate(value)) {
                cookie.Expires = *parsed;
            }
        }
    }
    if (maxAge) {
        cookie.Expires = maxAge; // Max-Age wins over Expires
    }
    const auto same = std::find_if(fCookies.begin(), fCookies.end(), [&](const TCookie& aOld) {
        return aOld.Name == cookie.Name && aOld.Domain == cookie.Domain && aOld.Path == cookie.Path;
    });
    const bool expired = cookie.Expires && *cookie.Expires <= NowSeconds();
    if (same != fCookies.end()) {
        if (expired) {
            fCookies.erase(same);
        } else {
            *same = std::move(cookie);
        }
        return;
    }
    if (expired) {
        return;
    }
    if (fCookies.size() >= kMaxCookies) {
        fCookies.erase(fCookies.begin());
    }
    fCookies.push_back(std::move(cookie));
}

std::string TCookieManager::CookieHeader(const TURI& aURL) const {
    const auto now = NowSeconds();
    std::vector<const TCookie*> matching;
    for (const auto& cookie : fCookies) {
        if ((!cookie.Expires || *cookie.Expires > now) && DomainMatches(aURL.Host, cookie) &&
            PathMatches(aURL.Path, cookie.Path) && (!cookie.Secure || aURL.Scheme == "https")) {
            matching.push_back(&cookie);
        }
    }
    // More specific paths first, as browsers send them.
    std::stable_sort(matching.begin(), matching.end(), [](const TCookie* a, const TCookie* b) {
        return a->Path.size() > b->Path.size();
    });
    std::string header;
    for (const auto* cookie : matching) {
        if (!header.empty()) {
            header += "; ";
        }
        header += cookie->Name + '=' + cookie->Value;
    }
    return header;
}

} // namespace brivane::net
