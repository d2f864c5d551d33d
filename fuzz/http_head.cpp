// The head of an HTTP answer, line by line as the transport passes it (interim
// answers, a proxy's tunnel answer, folded and repeated headers), then every header
// the client reads from it, its cookies included.

#include "net/cookie_manager.h"
#include "net/http_response.h"
#include "support/fuzz_input.h"

using namespace brivane;
using namespace brivane::net;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    const TURI url = TURI::Parse("https://www.example.com/download/file.exe?x=1");
    THTTPResponse response(url);
    std::string_view rest = fuzz::AsText(aData, aSize);
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const auto length = end == std::string_view::npos ? rest.size() : end + 1;
        response.AddHeadLine(rest.substr(0, length)); // with its line break, as curl gives it
        rest.remove_prefix(length);
    }
    (void)response.HeadComplete();
    (void)response.GetStatusCode();
    (void)response.GetVersion();
    (void)response.GetContentLength();
    (void)response.GetContentCharSet();
    (void)response.GetContentEncoding();
    (void)response.GetMimeType();
    (void)response.GetLastModified();
    (void)response.GetHeaderValue("Location");
    (void)response.ContainsHeader("Content-Disposition");

    TCookieManager cookies;
    for (const std::string& cookie : response.SetCookies()) {
        cookies.AddServerCookie(cookie, url);
    }
    (void)cookies.CookieHeader(url);
    return 0;
}
