#pragma once
// Helpers on top of the HTTP client: clients that present themselves like a web
// browser, and one-shot page fetches that return a page as UTF-8 text (gzip and
// deflate bodies decoded, bytes converted from a code page).

#include "net/http_client.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace brivane::net {

// A page kept in memory may be this large; a longer body fails the request.
inline constexpr std::size_t kMaxTextBodySize = 32 * 1024 * 1024;
// Compressed bodies may decode to this much; more is an error (a "gzip bomb").
inline constexpr std::size_t kMaxDecodedBodySize = 64 * 1024 * 1024;

// The request headers of browser-like clients, in the order they are sent:
// Accept, Accept-Language, Accept-Charset, Accept-Encoding ("gzip, deflate").
const TNetHeaders& DefaultRequestHeaders();

// A client whose user agent is the program's name, with the default headers;
// redirects followed.
std::unique_ptr<THTTPClient> CreateHTTPClient();

// Gives aClient what CreateHTTPClient gives a new one: the program's user agent and the
// default request headers.
void SetupHTTPClient(THTTPClient& aClient);

// Installers are large and come at the speed of the line: a download has no time
// limit in all but ends when it moves less than 1 KB/s for 60 s.
inline constexpr TMinimumSpeed kDownloadMinimumSpeed{1024, std::chrono::seconds(60)};

// CreateHTTPClient with the limits of a download instead of a page's.
std::unique_ptr<THTTPClient> CreateDownloadClient();

// A client for the program's own update service: redirects followed, the default
// headers, the client's default user agent.
std::unique_ptr<THTTPClient> CreateUpdateClient();

using TResponseEvent = std::function<void(const IHTTPResponse& aResponse)>;

// A page's body as text: decoded when Content-Encoding names gzip or else deflate (in
// any case, anywhere in the value), then converted from aCodePage. Throws EGzipError
// for a body that does not decode and ECodePageError for an unknown code page.
std::string DecodeBodyText(const IHTTPResponse& aResponse, std::string aBody, int aCodePage);

// GETs aURL with aClient and returns the body (at most kMaxTextBodySize bytes) as
// text, whatever the status code. A failed request gives empty text and no call of
// aOnResponse; otherwise aOnResponse (when given) sees the response first, its
// exceptions dropped. A gzip body that does not decode throws EGzipError.
std::string GetPageText(THTTPClient& aClient, const std::string& aURL, int aCodePage,
                        const TResponseEvent& aOnResponse = {});

// The same for a form post of name=value lines (see THTTPClient::Post).
std::string PostPageText(THTTPClient& aClient, const std::string& aURL, std::string_view aFields,
                         int aCodePage, const TResponseEvent& aOnResponse = {});

// GetPageText with a client of its own.
std::string GetPageTextOnce(const std::string& aURL, int aCodePage,
                            const TResponseEvent& aOnResponse = {});

// The charset of the response's Content-Type as a code page: 0 without a
// response, without a charset, or for a charset the program does not know.
int ContentCodePage(const IHTTPResponse* aResponse);

// GETs aURL with an update client and returns the body as text, converted from
// aCodePage or, when that is 0, from the response's charset, else from UTF-8.
// Every failure (request, gzip, conversion) gives empty text.
std::string GetUpdateText(const std::string& aURL, int aCodePage);

} // namespace brivane::net
