#pragma once
// The HTTP client framework: requests, the execution loop (headers, cookies,
// redirects) and the operations the program calls. A transport derived from
// THTTPClient moves the bytes; THTTPClient::Create makes the platform's one.
//
// A client and its requests are used by one thread at a time; any number of
// clients may run in parallel on different threads.

#include "net/content_stream.h"
#include "net/cookie_manager.h"
#include "net/http_response.h"
#include "net/net_headers.h"
#include "net/uri.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brivane::net {

class THTTPRequest;
class TTransfer;

// Called before each block (at most 4096 bytes) of a body whose status is below
// 300: aContentLength is the announced length (-1 when unknown or 0), aReadCount
// the bytes received so far. Setting aAbort ends the transfer; the response then
// keeps its status code and headers.
using TReceiveDataEvent =
    std::function<void(const THTTPRequest& aSender, std::int64_t aContentLength,
                       std::int64_t aReadCount, bool& aAbort)>;

struct TProxySettings {
    std::string Host; // empty: connect directly
    int Port = 0;
    std::string Scheme; // "http" or "https": only requests of that scheme use the proxy; empty: all

    bool operator==(const TProxySettings&) const = default;
};

class THTTPRequest {
public:
    THTTPRequest(std::string aMethod, TURI aURL)
        : fMethod(std::move(aMethod)), fURL(std::move(aURL)) {}

    const std::string& GetMethod() const { return fMethod; }
    const TURI& GetURL() const { return fURL; }
    const TNetHeaders& GetHeaders() const { return fHeaders; }
    std::string GetHeaderValue(std::string_view aName) const;
    // Replaces the value of the header of that name where it stands, or appends it.
    void SetHeaderValue(std::string_view aName, std::string_view aValue);
    void AddHeader(std::string_view aName, std::string_view aValue);
    bool RemoveHeader(std::string_view aName);
    // The body to send, if any.
    const std::optional<std::string>& GetSourceStream() const { return fSource; }
    const TReceiveDataEvent& OnReceiveData() const { return fOnReceiveData; }
    // When the whole exchange must be over (see THTTPClient::TimeLimit); none: no limit.
    const std::optional<std::chrono::steady_clock::time_point>& Deadline() const {
        return fDeadline;
    }

private:
    friend class THTTPClient;

    std::string fMethod;
    TURI fURL;
    TNetHeaders fHeaders;
    std::optional<std::string> fSource;
    TReceiveDataEvent fOnReceiveData;
    std::optional<std::chrono::steady_clock::time_point> fDeadline;
};

// A transfer that moves fewer than BytesPerSecond on average over a Period is too slow.
struct TMinimumSpeed {
    std::int64_t BytesPerSecond = 0;
    std::chrono::milliseconds Period{};

    bool operator==(const TMinimumSpeed&) const = default;
};

class THTTPClient {
public:
    static constexpr int kDefaultMaxRedirects = 5;
    static constexpr std::chrono::milliseconds kDefaultConnectionTimeout{30'000};
    static constexpr std::chrono::milliseconds kDefaultResponseTimeout{60'000};
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{60'000};
    static constexpr const char* kDefaultUserAgent = "Brivane-HTTP/1.0";

    // A new client over the platform's transport (WinINet on Windows, libcurl elsewhere).
    static std::unique_ptr<THTTPClient> Create();

    virtual ~THTTPClient() = default;
    THTTPClient(const THTTPClient&) = delete;
    THTTPClient& operator=(const THTTPClient&) = delete;

    // The operations. Each runs one exchange and returns its final response, or
    // throws an ENetHTTPException. aResponseContent receives the body (none when
    // null); aHeaders come after the client's custom headers.
    std::shared_ptr<IHTTPResponse> Get(const std::string& aURL,
                                       TContentStream* aResponseContent = nullptr,
                                       const TNetHeaders& aHeaders = {});
    std::shared_ptr<IHTTPResponse> Head(const std::string& aURL, const TNetHeaders& aHeaders = {});
    // A Get with "Range: bytes=<aStart>-<aEnd>"; a negative bound is left out.
    std::shared_ptr<IHTTPResponse> GetRange(const std::string& aURL, std::int64_t aStart,
                                            std::int64_t aEnd,
                                            TContentStream* aResponseContent = nullptr,
                                            const TNetHeaders& aHeaders = {});
    // Sends form fields given as name=value lines (CR LF separated) as an
    // application/x-www-form-urlencoded body.
    std::shared_ptr<IHTTPResponse> Post(const std::string& aURL, std::string_view aFields,
                                        TContentStream* aResponseContent = nullptr,
                                        const TNetHeaders& aHeaders = {});
    // Any method; aSource, when given, is the body.
    std::shared_ptr<IHTTPResponse> Execute(const std::string& aMethod, const std::string& aURL,
                                           const std::optional<std::string>& aSource,
                                           TContentStream* aResponseContent,
                                           const TNetHeaders& aHeaders);

    // Client-wide headers, sent with every request in the order they were first
    // set; "User-Agent" is one of them.
    const TNetHeaders& CustomHeaders() const { return fCustomHeaders; }
    std::string CustomHeader(std::string_view aName) const;
    void SetCustomHeader(std::string_view aName, std::string_view aValue);
    bool RemoveCustomHeader(std::string_view aName);
    std::string UserAgent() const { return CustomHeader("User-Agent"); }
    void SetUserAgent(std::string_view aValue) { SetCustomHeader("User-Agent", aValue); }

    bool HandleRedirects() const { return fHandleRedirects; }
    void SetHandleRedirects(bool aValue) { fHandleRedirects = aValue; }
    int MaxRedirects() const { return fMaxRedirects; }
    void SetMaxRedirects(int aValue) { fMaxRedirects = aValue; }
    bool AllowCookies() const { return fAllowCookies; }
    void SetAllowCookies(bool aValue) { fAllowCookies = aValue; }
    TCookieManager& CookieManager() { return fCookieManager; }

    const TReceiveDataEvent& OnReceiveData() const { return fOnReceiveData; }
    void SetOnReceiveData(TReceiveDataEvent aHandler) { fOnReceiveData = std::move(aHandler); }

    // Until set, the system's proxy configuration applies (the proxy environment
    // variables). Settings without a host connect directly.
    const std::optional<TProxySettings>& ProxySettings() const { return fProxySettings; }
    void SetProxySettings(const TProxySettings& aValue) { fProxySettings = aValue; }

    // Time allowed to set up a connection (TLS included).
    std::chrono::milliseconds ConnectionTimeout() const { return fConnectionTimeout; }
    void SetConnectionTimeout(std::chrono::milliseconds aValue) { fConnectionTimeout = aValue; }
    // An exchange that moves no byte for this long is aborted.
    std::chrono::milliseconds ResponseTimeout() const { return fResponseTimeout; }
    void SetResponseTimeout(std::chrono::milliseconds aValue) { fResponseTimeout = aValue; }
    // Every exchange (its redirects included) ends after this long in all, however
    // steadily the server sends; zero: no limit. Pages need far less than the default;
    // downloads turn the limit off and set a minimum speed instead.
    std::chrono::milliseconds TimeLimit() const { return fTimeLimit; }
    void SetTimeLimit(std::chrono::milliseconds aValue) { fTimeLimit = aValue; }
    // None by default.
    const std::optional<TMinimumSpeed>& MinimumSpeed() const { return fMinimumSpeed; }
    void SetMinimumSpeed(std::optional<TMinimumSpeed> aValue) { fMinimumSpeed = aValue; }

protected:
    THTTPClient();

    enum class TExecutionResult {
        Success,
        UnknownError,
        ServerCertificateInvalid,
        ClientCertificateNeeded
    };
    struct TExecution {
        TExecutionResult Result = TExecutionResult::Success;
        std::string Detail; // the transport's reason for a failure
    };

    // One attempt: sends aRequest and reads the answer's head into aResponse and,
    // unless the method is HEAD, its body into aContent (when given), calling
    // ReportProgress before each block. A body that breaks off throws
    // ENetHTTPResponseException; other failures are returned.
    virtual TExecution ExecuteRequest(const THTTPRequest& aRequest, THTTPResponse& aResponse,
                                      TContentStream* aContent) = 0;

    // Passes progress on to the request's receive-data handler when the status is
    // below 300; true when the handler asks to abort.
    static bool ReportProgress(const THTTPRequest& aRequest, int aStatusCode,
                               std::int64_t aContentLength, std::int64_t aReadCount);

private:
    friend class TTransfer; // reports progress for the transports

    TNetHeaders fCustomHeaders;
    bool fHandleRedirects = true;
    int fMaxRedirects = kDefaultMaxRedirects;
    bool fAllowCookies = true;
    TCookieManager fCookieManager;
    TReceiveDataEvent fOnReceiveData;
    std::optional<TProxySettings> fProxySettings;
    std::chrono::milliseconds fConnectionTimeout = kDefaultConnectionTimeout;
    std::chrono::milliseconds fResponseTimeout = kDefaultResponseTimeout;
    std::chrono::milliseconds fTimeLimit = kDefaultTimeLimit;
    std::optional<TMinimumSpeed> fMinimumSpeed;
};

} // namespace brivane::net
