#include "net/cookie_manager.h"

#include <gtest/gtest.h>

using namespace brivane::net;

namespace {

TURI U(const char* aText) {
    return TURI::Parse(aText);
}

} // namespace

TEST(CookieManagerTest, SendsCookiesToMatchingHostAndPath) {
    TCookieManager jar;
    jar.AddServerCookie("session=abc", U("http://site.example/login/form"));
    jar.AddServerCookie("root=1; Path=/", U("http://site.example/login/form"));
    jar.AddServerCookie("deep=2; Path=/login/form", U("http://site.example/login/form"));

    EXPECT_EQ(jar.CookieHeader(U("http://site.example/login/form/x")),
              "deep=2; session=abc; root=1");
    EXPECT_EQ(jar.CookieHeader(U("http://site.example/login")), "session=abc; root=1");
    EXPECT_EQ(jar.CookieHeader(U("http://site.example/loginx")), "root=1");
    EXPECT_EQ(jar.CookieHeader(U("http://www.site.example/")), ""); // host-only
    EXPECT_EQ(jar.CookieHeader(U("http://other.example/login/form")), "");
}

TEST(CookieManagerTest, DomainCookiesReachSubdomainsOnly) {
    TCookieManager jar;
    jar.AddServerCookie("d=1; Domain=.site.example", U("http://a.site.example/"));
    EXPECT_EQ(jar.CookieHeader(U("http://site.example/")), "d=1");
    EXPECT_EQ(jar.CookieHeader(U("http://b.site.example/")), "d=1");
    EXPECT_EQ(jar.CookieHeader(U("http://evilsite.example/")), "");
}

TEST(CookieManagerTest, IgnoresCookiesForOtherSitesAndMalformedOnes) {
    TCookieManager jar;
    const char* rejected[] = {"x=1; Domain=other.example", "x=1; Domain=a.site.example", "novalue",
                              "=nameless", ""};
    for (const char* header : rejected) {
        jar.AddServerCookie(header, U("http://site.example/"));
    }
    jar.AddServerCookie("big=" + std::string(5000, 'v'), U("http://site.example/"));
    EXPECT_TRUE(jar.Cookies().empty());
}

TEST(CookieManagerTest, IgnoresCookiesWithControlCharacters) {
    using namespace std::string_literals;
    TCookieManager jar;
    const std::string rejected[] = {
        "a=b\0c"s,       "a\0=b"s,  "a=b; Path=/\0x"s,  "a=b\x01"s,
        "a=\x1B[31mred", "a=b\x7F", "a=b\rInjected: 1", "a=b\nInjected: 1",
    };
    for (const auto& cookie : rejected) {
        jar.AddServerCookie(cookie, U("http://site.example/"));
    }
    EXPECT_TRUE(jar.Cookies().empty());
    jar.AddServerCookie("good=1", U("http://site.example/"));
    jar.AddServerCookie("tab=a\tb", U("http://site.example/"));
    // One bad cookie does not replace a good one of the same name either.
    jar.AddServerCookie("good=\x1B", U("http://site.example/"));
    EXPECT_EQ(jar.CookieHeader(U("http://site.example/")), "good=1; tab=a\tb");
}

TEST(CookieManagerTest, ReplacesAndExpiresCookies) {
    TCookieManager jar;
    const auto url = U("http://site.example/");
    jar.AddServerCookie("a=1", url);
    jar.AddServerCookie("a=2", url);
    EXPECT_EQ(jar.CookieHeader(url), "a=2");
    jar.AddServerCookie("a=3; Max-Age=0", url);
    EXPECT_EQ(jar.CookieHeader(url), "");
    jar.AddServerCookie("b=1; Expires=Thu, 01 Jan 1970 00:00:00 GMT", url);
    jar.AddServerCookie("c=1; Expires=Wed, 21-Oct-2099 07:28:00 GMT", url);
    jar.AddServerCookie("d=1; Max-Age=3600; Expires=Thu, 01 Jan 1970 00:00:00 GMT", url);
    EXPECT_EQ(jar.CookieHeader(url), "c=1; d=1");
}

TEST(CookieManagerTest, SecureCookiesOnlyOverHttps) {
    TCookieManager jar;
    jar.AddServerCookie("s=1; Secure; HttpOnly", U("https://site.example/"));
    EXPECT_EQ(jar.CookieHeader(U("http://site.example/")), "");
    EXPECT_EQ(jar.CookieHeader(U("https://site.example/")), "s=1");
}
