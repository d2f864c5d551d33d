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

// An answer's head is a few kilobytes; curl refuses single lines over 100 KB by
// itself, this bounds the lines together.
constexpr std::int64_t kMaxHeadSize = 256 * 1024;
constexpr const char* kHeadTooLarge = "header too large";

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

// "60 s", or "200 ms" for a time that is no whole number of seconds.
std::string DurationText(std::chrono::milliseconds aTime) {
    const auto count = aTime.count();
    return count % 1000 == 0 ? std::to_string(count / 1000) + " s" : std::to_string(count) + " ms";
}

std::string SpeedText(std::int64_t aBytesPerSecond) {
    return aBytesPerSecond % 1024 == 0 && aBytesPerSecond > 0
               ? std::to_string(aBytesPerSecond / 1024) + " KB/s"
               : std::to_string(aBytesPerSecond) + " bytes/s";
}

bool IsCertificateFailure(CURLcode aCode) {
    return aCode == CURLE_PEER_FAILED_VERIFICATION || aCode == CURLE_SSL_ISSUER_ERROR ||
           aCode == CURLE_SSL_INVALIDCERTSTATUS || aCode == CURLE_SSL_PINNEDPUBKEYNOTMATCH;
}

} // namespace

// The state of one attempt, shared with curl's callbacks.
struct TCurlHTTPClient::TTransfer {
    // Why the transfer was cut short by one of the client's limits.
    enum class TCutOff { None, Stalled, TimeLimit, TooSlow, HeadTooLarge };

    const THTTPRequest* Request = nullptr;
    THTTPResponse* Response = nullptr;
    TContentStream* Content = nullptr;
    bool ReadsBody = true;
    std::chrono::milliseconds ResponseTimeout{};
    std::optional<TMinimumSpeed> MinimumSpeed;
    std::chrono::milliseconds TimeLimit{};

    std::int64_t Total = -1; // the announced length; 0 counts as unknown
    std::int64_t Read = 0;   // body bytes received
    bool Reporting = false;  // the receive-data handler hears of this body
    bool Aborted = false;    // the handler asked to stop
    TCutOff Exceeded = TCutOff::None;
    std::exception_ptr Error; // thrown inside a callback, rethrown after curl returns
    TClock::time_point LastActivity = TClock::now();
    curl_off_t LastUpload = 0;
    std::int64_t HeadSize = 0; // bytes of the answer's head so far
    std::int64_t Moved = 0;    // bytes sent and received, for the minimum speed
    TClock::time_point SpeedCheckpoint = TClock::now();
    std::int64_t MovedAtCheckpoint = 0;

    bool Report(std::int64_t aRead) const {
        return ReportProgress(*Request, Response->GetStatusCode(), Total, aRead);
    }
    // The limit this transfer has gone beyond at aNow, if any.
    TCutOff CheckLimits(TClock::time_point aNow);
    std::string LimitText() const;
};

TCurlHTTPClient::TTransfer::TCutOff
TCurlHTTPClient::TTransfer::CheckLimits(TClock::time_point aNow) {
    if (Request->Deadline() && aNow >= *Request->Deadline()) {
        return TCutOff::TimeLimit;
    }
    if (aNow - LastActivity > ResponseTimeout) {
        return TCutOff::Stalled;
    }
    if (MinimumSpeed && aNow - SpeedCheckpoint >= MinimumSpeed->Period) {
        const auto seconds = std::chrono::duration<double>(aNow - SpeedCheckpoint).count();
        if (static_cast<double>(Moved - MovedAtCheckpoint) <
            static_cast<double>(MinimumSpeed->BytesPerSecond) * seconds) {
            return TCutOff::TooSlow;
        }
        SpeedCheckpoint = aNow;
        MovedAtCheckpoint = Moved;
    }
    return TCutOff::None;
}

std::string TCurlHTTPClient::TTransfer::LimitText() const {
    switch (Exceeded) {
    case TCutOff::None:
        break;
    case TCutOff::Stalled:
        return "no data for " + DurationText(ResponseTimeout);
    case TCutOff::TimeLimit:
        return "no complete answer within " + DurationText(TimeLimit);
    case TCutOff::TooSlow:
        return "slower than " + SpeedText(MinimumSpeed->BytesPerSecond) + " for " +
               DurationText(MinimumSpeed->Period);
    case TCutOff::HeadTooLarge:
        return kHeadTooLarge;
    }
    return {};
}

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
    transfer.MinimumSpeed = MinimumSpeed();
    transfer.TimeLimit = TimeLimit();
    long timeout = 0; // curl's own limit: none
    if (const auto& deadline = aRequest.Deadline()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - TClock::now());
        if (left.count() <= 0) { // the redirects before used up the time
            transfer.Exceeded = TTransfer::TCutOff::TimeLimit;
            return {TExecutionResult::UnknownError, transfer.LimitText()};
        }
        // Only a backstop: the progress callback ends the transfer at the deadline and
        // names the reason.
        timeout = static_cast<long>(left.count()) + 1000;
    }

    const TSlist headers = BuildHeaders(aRequest);
    curl_easy_setopt(fCurl, CURLOPT_URL, target.c_str());
    PrepareMethod(aRequest);
    PrepareProxy(targetURI);
    curl_easy_setopt(fCurl, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(fCurl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(ConnectionTimeout().count()));
    curl_easy_setopt(fCurl, CURLOPT_TIMEOUT_MS, timeout);
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
    if (aCode == CURLE_OPERATION_TIMEDOUT && aTransfer.Exceeded == TTransfer::TCutOff::None &&
        aTransfer.Request->Deadline() && TClock::now() >= *aTransfer.Request->Deadline()) {
        aTransfer.Exceeded = TTransfer::TCutOff::TimeLimit; // curl's clock struck first
    }
    if (aCode == CURLE_OUT_OF_MEMORY && !aTransfer.Response->HeadComplete()) {
        aTransfer.Exceeded = TTransfer::TCutOff::HeadTooLarge; // one line over curl's limit
    }
    const bool limited = aTransfer.Exceeded != TTransfer::TCutOff::None;
    const bool timedOut = limited && aTransfer.Exceeded != TTransfer::TCutOff::HeadTooLarge;
    const CURLcode reported = timedOut ? CURLE_OPERATION_TIMEDOUT : aCode;
    std::string detail = limited ? aTransfer.LimitText() : std::string(fErrorBuffer);
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
    transfer.Moved += static_cast<std::int64_t>(length);
    transfer.HeadSize += static_cast<std::int64_t>(length);
    if (transfer.HeadSize > kMaxHeadSize) {
        transfer.Exceeded = TTransfer::TCutOff::HeadTooLarge;
        return 0;
    }
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
    transfer.Moved += static_cast<std::int64_t>(length);
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
        transfer.Moved += std::max<curl_off_t>(aUpNow - transfer.LastUpload, 0);
        transfer.LastUpload = aUpNow;
        transfer.LastActivity = now;
    }
    if (transfer.Exceeded == TTransfer::TCutOff::None) {
        transfer.Exceeded = transfer.CheckLimits(now);
    }
    return transfer.Exceeded == TTransfer::TCutOff::None ? 0 : 1;
}

} // namespace brivane::net
