#include "net/http_client.h"

#include "net/net_errors.h"
#include "net/request_trace.h"

#ifdef _WIN32
#include "net/wininet_transport.h"
#else
#include "net/curl_transport.h"
#endif

namespace brivane::net {

namespace {

std::string RangeHeader(std::int64_t aStart, std::int64_t aEnd) {
    std::string value = "bytes=";
    if (aStart >= 0) {
        value += std::to_string(aStart);
    }
    value += '-';
    if (aEnd >= 0) {
        value += std::to_string(aEnd);
    }
    return value;
}

// Throws aError, the attempt's failure.
template <typename TError>
[[noreturn]] void Fail(TTracedAttempt& aAttempt, const TError& aError) {
    aAttempt.SetError(aError);
    throw aError;
}

} // namespace

std::string THTTPRequest::GetHeaderValue(std::string_view aName) const {
    return HeaderValueOf(fHeaders, aName);
}

void THTTPRequest::SetHeaderValue(std::string_view aName, std::string_view aValue) {
    SetHeader(fHeaders, aName, aValue);
}

void THTTPRequest::AddHeader(std::string_view aName, std::string_view aValue) {
    SetHeader(fHeaders, aName, aValue);
}

bool THTTPRequest::RemoveHeader(std::string_view aName) {
    return net::RemoveHeader(fHeaders, aName);
}

std::unique_ptr<THTTPClient> THTTPClient::Create() {
#ifdef _WIN32
    return std::make_unique<TWinINetHTTPClient>();
#else
    return std::make_unique<TCurlHTTPClient>();
#endif
}

THTTPClient::THTTPClient() {
    SetUserAgent(kDefaultUserAgent);
}

std::string THTTPClient::CustomHeader(std::string_view aName) const {
    return HeaderValueOf(fCustomHeaders, aName);
}

void THTTPClient::SetCustomHeader(std::string_view aName, std::string_view aValue) {
    SetHeader(fCustomHeaders, aName, aValue);
}

bool THTTPClient::RemoveCustomHeader(std::string_view aName) {
    return RemoveHeader(fCustomHeaders, aName);
}

std::shared_ptr<IHTTPResponse> THTTPClient::Get(const std::string& aURL,
                                                TContentStream* aResponseContent,
                                                const TNetHeaders& aHeaders) {
    return Execute("GET", aURL, std::nullopt, aResponseContent, aHeaders);
}

std::shared_ptr<IHTTPResponse> THTTPClient::Head(const std::string& aURL,
                                                 const TNetHeaders& aHeaders) {
    return Execute("HEAD", aURL, std::nullopt, nullptr, aHeaders);
}

std::shared_ptr<IHTTPResponse> THTTPClient::GetRange(const std::string& aURL, std::int64_t aStart,
                                                     std::int64_t aEnd,
                                                     TContentStream* aResponseContent,
                                                     const TNetHeaders& aHeaders) {
    TNetHeaders headers = aHeaders;
    SetHeader(headers, "Range", RangeHeader(aStart, aEnd));
    return Execute("GET", aURL, std::nullopt, aResponseContent, headers);
}

std::shared_ptr<IHTTPResponse> THTTPClient::Post(const std::string& aURL, std::string_view aFields,
                                                 TContentStream* aResponseContent,
                                                 const TNetHeaders& aHeaders) {
    // The caller's own Content-Type, if any, replaces this one.
    TNetHeaders headers{{"Content-Type", "application/x-www-form-urlencoded"}};
    for (const auto& header : aHeaders) {
        SetHeader(headers, header.Name, header.Value);
    }
    return Execute("POST", aURL, EncodeFormFields(aFields), aResponseContent, headers);
}

bool THTTPClient::ReportProgress(const THTTPRequest& aRequest, int aStatusCode,
                                 std::int64_t aContentLength, std::int64_t aReadCount) {
    if (aStatusCode >= 300 || !aRequest.fOnReceiveData) {
        return false;
    }
    bool abort = false;
    aRequest.fOnReceiveData(aRequest, aContentLength, aReadCount, abort);
    return abort;
}

std::shared_ptr<IHTTPResponse> THTTPClient::Execute(const std::string& aMethod,
                                                    const std::string& aURL,
                                                    const std::optional<std::string>& aSource,
                                                    TContentStream* aResponseContent,
                                                    const TNetHeaders& aHeaders) {
    THTTPRequest request(aMethod, TURI::Parse(aURL));
    for (const auto& header : fCustomHeaders) {
        request.SetHeaderValue(header.Name, header.Value);
    }
    for (const auto& header : aHeaders) {
        request.SetHeaderValue(header.Name, header.Value);
    }
    request.fSource = aSource;
    request.fOnReceiveData = fOnReceiveData;
    if (fTimeLimit > std::chrono::milliseconds::zero()) {
        request.fDeadline = std::chrono::steady_clock::now() + fTimeLimit;
    }
    const std::string ownCookies = request.GetHeaderValue("Cookie");

    int redirections = 0;
    for (bool firstAttempt = true;; firstAttempt = false) {
        if (fAllowCookies) {
            std::string cookies = ownCookies;
            const std::string stored = fCookieManager.CookieHeader(request.fURL);
            if (!stored.empty()) {
                cookies += (cookies.empty() ? "" : "; ") + stored;
            }
            if (cookies.empty()) {
                request.RemoveHeader("Cookie");
            } else {
                request.SetHeaderValue("Cookie", cookies);
            }
        }
        if (aResponseContent != nullptr && !firstAttempt) {
            aResponseContent->Clear(); // the body of the redirect before
        }

        auto response = std::make_shared<THTTPResponse>(request.fURL);
        TTracedAttempt traced(request, *response, aResponseContent);
        TExecution execution;
        try {
            execution = ExecuteRequest(request, *response, traced.Content());
        } catch (const std::exception& e) {
            traced.SetError(e);
            throw;
        }
        switch (execution.Result) {
        case TExecutionResult::Success:
            break;
        case TExecutionResult::ServerCertificateInvalid:
            Fail(traced, ENetHTTPCertificateException("Server Certificate Invalid or not present",
                                                      execution.Detail));
        case TExecutionResult::ClientCertificateNeeded:
            Fail(traced, ENetHTTPCertificateException("Empty certificate list", execution.Detail));
        case TExecutionResult::UnknownError:
            Fail(traced,
                 ENetHTTPClientException("Execution of request terminated with unknown error",
                                         execution.Detail));
        }

        if (fAllowCookies) {
            for (const auto& cookie : response->SetCookies()) {
                fCookieManager.AddServerCookie(cookie, response->URI());
            }
        }
        const int status = response->GetStatusCode();
        if (status < 300 || status > 399 || request.fMethod == "HEAD" || !fHandleRedirects) {
            return response;
        }
        const std::string location = response->GetHeaderValue("Location");
        if (location.empty()) {
            return response; // nothing to follow (304 Not Modified, 300 without a choice)
        }
        if (++redirections > fMaxRedirects) {
            Fail(traced, ENetHTTPRequestException("Maximum number of redirections (" +
                                                  std::to_string(fMaxRedirects) + ") exceeded"));
        }
        request.fURL = response->URI().Resolve(location);
        if (request.fMethod == "POST") {
            // The form was for the first address; the next one is only fetched.
            request.fMethod = "GET";
            request.fSource.reset();
            request.RemoveHeader("Content-Type");
        }
    }
}

} // namespace brivane::net
