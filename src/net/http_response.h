#pragma once
// The answer to one exchange: status, headers and the address of its latest
// request. The body went to the content stream the caller passed.

#include "net/net_headers.h"
#include "net/uri.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::net {

enum class THTTPProtocolVersion { UNKNOWN_HTTP, HTTP_1_0, HTTP_1_1, HTTP_2_0 };

class IHTTPResponse {
public:
    virtual ~IHTTPResponse() = default;

    virtual int GetStatusCode() const = 0;
    virtual const std::string& GetStatusText() const = 0;
    virtual THTTPProtocolVersion GetVersion() const = 0;
    // Headers in the order received; lines of the same name are joined by ", ".
    // Set-Cookie lines go to the client's cookie manager and are not listed.
    virtual const TNetHeaders& GetHeaders() const = 0;
    // The value of the header (name compared without regard to case), or empty.
    virtual std::string GetHeaderValue(std::string_view aName) const = 0;
    virtual bool ContainsHeader(std::string_view aName) const = 0;
    // Content-Length, or -1 when the answer has none (or an invalid one).
    virtual std::int64_t GetContentLength() const = 0;
    // The charset parameter of Content-Type, without quotes; empty when none.
    virtual std::string GetContentCharSet() const = 0;
    virtual std::string GetContentEncoding() const = 0;
    // Content-Type without its parameters.
    virtual std::string GetMimeType() const = 0;
    virtual std::string GetLastModified() const = 0;
    // The address of the latest request of the exchange (after redirects), as the
    // program named it: before any host rewriting.
    virtual std::string GetURL() const = 0;
};

class THTTPResponse final : public IHTTPResponse {
public:
    explicit THTTPResponse(TURI aURL) : fURL(std::move(aURL)) {}

    // Takes one line of the answer's head as received, line break included or
    // not. A status line starts the head afresh (interim 1xx answers and a
    // proxy's tunnel answer come before the real one).
    void AddHeadLine(std::string_view aLine);
    // True once the head of a final (non-1xx) answer is complete.
    bool HeadComplete() const { return fHeadComplete; }

    const TURI& URI() const { return fURL; }
    const std::vector<std::string>& SetCookies() const { return fSetCookies; }

    int GetStatusCode() const override { return fStatusCode; }
    const std::string& GetStatusText() const override { return fStatusText; }
    THTTPProtocolVersion GetVersion() const override { return fVersion; }
    const TNetHeaders& GetHeaders() const override { return fHeaders; }
    std::string GetHeaderValue(std::string_view aName) const override;
    bool ContainsHeader(std::string_view aName) const override;
    std::int64_t GetContentLength() const override;
    std::string GetContentCharSet() const override;
    std::string GetContentEncoding() const override;
    std::string GetMimeType() const override;
    std::string GetLastModified() const override;
    std::string GetURL() const override { return fURL.ToString(); }

private:
    void StartHead(std::string_view aStatusLine);

    TURI fURL;
    int fStatusCode = 0;
    std::string fStatusText;
    THTTPProtocolVersion fVersion = THTTPProtocolVersion::UNKNOWN_HTTP;
    TNetHeaders fHeaders;
    std::vector<std::string> fSetCookies;
    bool fInHead = false;
    bool fHeadComplete = false;
};

} // namespace brivane::net
