#include "net/curl_transport.h"

#include "net/host_map.h"
#include "net/net_errors.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>

namespace brivane::net {

namespace {

using TClock = std::chrono::steady_clock;

// Progress is reported before each block of at most this many bytes.
constexpr std::int64_t kBlockSize = 4096;

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TSlistDeleter {
    void operator()(curl_slist* aList) const { curl_slist_free_all(aList); }
};
using TSlist = std::unique_ptr<curl_slist, TSlistDeleter>;

void Append(TSlist& aList, const std::string& aLine) {
    curl_slist* extended = curl_slist_append(aList.get(), aLine.c_str());
    if (extended == nullptr) {
        throw std::bad_alloc();
    }
    static_cast<void>(aList.release()); // now owned by extended
    aList.reset(extended);
}

// Line breaks in a header would let a value (a Referer taken from a page, say)
// inject headers of its own.
std::string WithoutLineBreaks(std::string aText) {
    std::replace_if(
        aText.begin(), aText.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return aText;
}

TSlist BuildHeaders(const THTTPRequest& aRequest) {
    TSlist list;
    const auto& headers = aRequest.GetHeaders();
    for (const auto& header : headers) {
        // "Name;" is curl's way of sending a header with an empty value.
        Append(list, WithoutLineBreaks(header.Value.empty() ? header.Name + ";"
                                                            : header.Name + ": " + header.Value));
    }
    // "Name:" removes a header curl would add by itself.
    for (const char* own : {"Accept", "Expect"}) {
        if (FindHeader(headers, own) == nullptr) {
            Append(list, std::string(own) + ":");
        }
    }
    // Answers come from the origin server, never from a cache on the way.
    if (FindHeader(headers, "Cache-Control") == nullptr) {
        Append(list, "Cache-Control: no-cache");
    }
    if (FindHeader(headers, "Pragma") == nullptr) {
        Append(list, "Pragma: no-cache");
    }
    return list;
}

bool IsCertificateFailure(CURLcode aCode) {
    return aCode == CURLE_PEER_FAILED_VERIFICATION || aCode == CURLE_SSL_ISSUER_ERROR ||
           aCode == CURLE_SSL_INVALIDCERTSTATUS || aCode == CURLE_SSL_PINNEDPUBKEYNOTMATCH;
}

} // namespace

// The state of one attempt, shared with curl's callbacks.
struct TCurlHTTPClient::TTransfer {
    const THTTPRequest* Request = nullptr;
    THTTPResponse* Response = nullptr;
    TContentStream* Content = nullptr;
    bool ReadsBody = true;
    std::chrono::milliseconds ResponseTimeout{};

    std::int64_t Total = -1;  // the announced length; 0 counts as unknown
    std::int64_t Read = 0;    // body bytes received
    bool Reporting = false;   // the receive-data handler hears of this body
    bool Aborted = false;     // the handler asked to stop
    bool Stalled = false;     // nothing moved for ResponseTimeout
    std::exception_ptr Error; // thrown inside a callback, rethrown after curl returns
    TClock::time_point LastActivity = TClock::now();
    curl_off_t LastUpload = 0;

    bool Report(std::int64_t aRead) const {
        return ReportProgress(*Request, Response->GetStatusCode(), Total, aRead);
    }
};

TCurlHTTPClient::TCurlHTTPClient() {
    InitCurlOnce();
    fCurl = curl_easy_init();
    if (fCurl == nullptr) {
        throw ENetHTTPClientException("Error obtaining session handle");
    }
    curl_easy_setopt(fCurl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(fCurl, CURLOPT_ERRORBUFFER, fErrorBuffer);
    curl_easy_setopt(fCurl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(fCurl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(fCurl, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(fCurl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(fCurl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(fCurl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(fCurl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(fCurl, CURLOPT_HEADERFUNCTION, &TCurlHTTPClient::OnHeader);
    curl_easy_setopt(fCurl, CURLOPT_WRITEFUNCTION, &TCurlHTTPClient::OnWrite);
    curl_easy_setopt(fCurl, CURLOPT_XFERINFOFUNCTION, &TCurlHTTPClient::OnProgress);
    curl_easy_setopt(fCurl, CURLOPT_NOPROGRESS, 0L);
}

TCurlHTTPClient::~TCurlHTTPClient() {
    curl_easy_cleanup(fCurl);
}

std::unique_ptr<THTTPClient> THTTPClient::Create() {
    return std::make_unique<TCurlHTTPClient>();
}

void TCurlHTTPClient::PrepareMethod(const THTTPRequest& aRequest) {
    const std::string& method = aRequest.GetMethod();
    const auto& source = aRequest.GetSourceStream();
    // HTTPGET resets whatever the previous request of this handle set up.
    curl_easy_setopt(fCurl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(fCurl, CURLOPT_CUSTOMREQUEST, nullptr);
    if (method == "GET") {
        return;
    }
    if (method == "HEAD") {
        curl_easy_setopt(fCurl, CURLOPT_NOBODY, 1L);
        return;
    }
    if (source || method == "POST") {
        // curl reads the body from the request itself, which outlives the transfer.
        curl_easy_setopt(fCurl, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(source ? source->size() : 0));
        curl_easy_setopt(fCurl, CURLOPT_POSTFIELDS, source ? source->data() : "");
    }
    if (method != "POST") {
        curl_easy_setopt(fCurl, CURLOPT_CUSTOMREQUEST, method.c_str());
    }
}

void TCurlHTTPClient::PrepareProxy(const TURI& aTarget) {
    const auto& settings = ProxySettings();
    if (!settings) {
        return; // curl follows the proxy environment variables
    }
    // Like the system's "<local>" rule, host names without a dot go direct.
    const bool applies =
        !settings->Host.empty() &&
        (settings->Scheme.empty() || SameToken(settings->Scheme, aTarget.Scheme)) &&
        aTarget.Host.find('.') != std::string::npos;
    const std::string proxy =
        applies ? "http://" + settings->Host + ":" + std::to_string(settings->Port) : "";
    // An empty proxy text makes curl connect directly, ignoring the environment.
    curl_easy_setopt(fCurl, CURLOPT_PROXY, proxy.c_str());
}

THTTPClient::TExecution TCurlHTTPClient::ExecuteRequest(const THTTPRequest& aRequest,
                                                        THTTPResponse& aResponse,
                                                        TContentStream* aContent) {
    std::shared_ptr<const THostMap> hostMap;
    try {
        hostMap = CurrentHostMap();
    } catch (const EHostMapError& e) {
        throw ENetHTTPClientException(e.what());
    }
    const TURI& url = aRequest.GetURL();
    std::string target = url.ToString();
    std::optional<TURI> rewritten;
    if (hostMap) {
        if (std::string mapped = hostMap->Rewrite(url); mapped != target) {
            rewritten = TURI::Parse(mapped);
            target = std::move(mapped);
        }
    }
    const TURI& targetURI = rewritten ? *rewritten : url;
    if (targetURI.Scheme != "http" && targetURI.Scheme != "https") {
        throw ENetHTTPClientException("Unsupported URL scheme: " + targetURI.Scheme);
    }

    TTransfer transfer;
    transfer.Request = &aRequest;
    transfer.Response = &aResponse;
    transfer.Content = aContent;
    transfer.ReadsBody = aRequest.GetMethod() != "HEAD";
    transfer.ResponseTimeout = ResponseTimeout();

    const TSlist headers = BuildHeaders(aRequest);
    curl_easy_setopt(fCurl, CURLOPT_URL, target.c_str());
    PrepareMethod(aRequest);
    PrepareProxy(targetURI);
    curl_easy_setopt(fCurl, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(fCurl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(ConnectionTimeout().count()));
    curl_easy_setopt(fCurl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(fCurl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(fCurl, CURLOPT_XFERINFODATA, &transfer);
    fErrorBuffer[0] = '\0';

    const CURLcode code = curl_easy_perform(fCurl);
    // Nothing may point at this attempt's data once it is over.
    curl_easy_setopt(fCurl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(fCurl, CURLOPT_POSTFIELDS, nullptr);
    return Finish(code, transfer);
}

THTTPClient::TExecution TCurlHTTPClient::Finish(CURLcode aCode, TTransfer& aTransfer) {
    if (aTransfer.Error) {
        std::rethrow_exception(aTransfer.Error);
    }
    if (aCode == CURLE_OK) {
        // An unknown length ends with one more report, after the last block.
        if (aTransfer.Reporting && aTransfer.Total < 0 && aTransfer.Read > 0) {
            aTransfer.Report(aTransfer.Read);
        }
        return {};
    }
    if (aTransfer.Aborted) {
        return {}; // the response keeps what it has: status and headers
    }
    const CURLcode reported = aTransfer.Stalled ? CURLE_OPERATION_TIMEDOUT : aCode;
    std::string detail =
        aTransfer.Stalled
            ? "no data for " + std::to_string(aTransfer.ResponseTimeout.count()) + " ms"
            : std::string(fErrorBuffer);
    if (detail.empty()) {
        detail = curl_easy_strerror(reported);
    }
    if (aTransfer.Response->HeadComplete()) {
        throw ENetHTTPResponseException("Error reading data: (" +
                                            std::to_string(static_cast<int>(reported)) + ") " +
                                            curl_easy_strerror(reported),
                                        detail);
    }
    if (IsCertificateFailure(aCode)) {
        return {TExecutionResult::ServerCertificateInvalid, detail};
    }
    if (aCode == CURLE_SSL_CLIENTCERT) {
        return {TExecutionResult::ClientCertificateNeeded, detail};
    }
    return {TExecutionResult::UnknownError, detail};
}

std::size_t TCurlHTTPClient::OnHeader(char* aBuffer, std::size_t aSize, std::size_t aCount,
                                      void* aData) {
    auto& transfer = *static_cast<TTransfer*>(aData);
    const std::size_t length = aSize * aCount;
    transfer.LastActivity = TClock::now();
    try {
        const bool wasComplete = transfer.Response->HeadComplete();
        transfer.Response->AddHeadLine(std::string_view(aBuffer, length));
        if (wasComplete || !transfer.Response->HeadComplete() || !transfer.ReadsBody) {
            return length;
        }
        // The head is complete: the first report comes before any body byte.
        const std::int64_t announced = transfer.Response->GetContentLength();
        transfer.Total = announced > 0 ? announced : -1;
        transfer.Reporting = transfer.Response->GetStatusCode() < 300 &&
                             transfer.Request->OnReceiveData() != nullptr;
        if (transfer.Reporting && transfer.Report(0)) {
            transfer.Aborted = true;
            return 0;
        }
    } catch (...) {
        transfer.Error = std::current_exception();
        return 0;
    }
    return length;
}

std::size_t TCurlHTTPClient::OnWrite(char* aBuffer, std::size_t aSize, std::size_t aCount,
                                     void* aData) {
    auto& transfer = *static_cast<TTransfer*>(aData);
    const std::size_t length = aSize * aCount;
    transfer.LastActivity = TClock::now();
    try {
        std::size_t accepted = length;
        if (transfer.Reporting) {
            // One report before each block; the first block of the body was
            // announced when the head ended.
            for (std::size_t offset = 0; offset < length;
                 offset += static_cast<std::size_t>(kBlockSize)) {
                const std::int64_t read = transfer.Read + static_cast<std::int64_t>(offset);
                if (read > 0 && transfer.Report(read)) {
                    transfer.Aborted = true;
                    accepted = offset;
                    break;
                }
            }
        }
        if (transfer.Content != nullptr && accepted > 0) {
            transfer.Content->Write(std::string_view(aBuffer, accepted));
        }
        transfer.Read += static_cast<std::int64_t>(accepted);
        return transfer.Aborted ? 0 : length;
    } catch (...) {
        transfer.Error = std::current_exception();
        return 0;
    }
}

int TCurlHTTPClient::OnProgress(void* aData, curl_off_t, curl_off_t, curl_off_t,
                                curl_off_t aUpNow) {
    auto& transfer = *static_cast<TTransfer*>(aData);
    const auto now = TClock::now();
    if (aUpNow != transfer.LastUpload) {
        transfer.LastUpload = aUpNow;
        transfer.LastActivity = now;
    }
    if (now - transfer.LastActivity > transfer.ResponseTimeout) {
        transfer.Stalled = true;
        return 1;
    }
    return 0;
}

} // namespace brivane::net
