// Set-Cookie values, one a line, from pages of several hosts and paths; then the
// Cookie headers for requests to them. A header never carries a control character
// other than a tab, which header values may hold.

#include "net/cookie_manager.h"
#include "support/fuzz_input.h"

#include <array>
#include <cstdlib>

using namespace brivane;
using namespace brivane::net;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    static const std::array kPages = {
        TURI::Parse("https://www.example.com/downloads/page.html"),
        TURI::Parse("http://example.com/"),
        TURI::Parse("https://sub.www.example.com:8443/a/b/c?d"),
        TURI::Parse("http://127.0.0.1:8080/www.example.com/"),
    };
    TCookieManager cookies;
    std::size_t page = 0;
    for (const auto line : fuzz::SplitLines(fuzz::AsText(aData, aSize))) {
        cookies.AddServerCookie(line, kPages[page++ % kPages.size()]);
    }
    for (const TURI& url : kPages) {
        for (const unsigned char c : cookies.CookieHeader(url)) {
            if ((c < 0x20 && c != '\t') || c == 0x7F) {
                std::abort();
            }
        }
    }
    return 0;
}
