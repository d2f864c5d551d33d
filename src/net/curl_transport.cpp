#include "net/curl_transport.h"

#include "net/net_errors.h"
#include "net/transfer.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>

namespace brivane::net {

namespace {

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

TSlist BuildHeaders(const THTTPRequest& aRequest) {
    TSlist list;
    const TNetHeaders headers = WireHeaders(aRequest);
    for (const auto& header : headers) {
        // "Name;" is curl's way of sending a header with an empty value.
        Append(list, header.Value.empty() ? header.Name + ";" : header.Name + ": " + header.Value);
    }
    // "Name:" removes a header curl would add by itself.
    for (const char* own : {"Accept", "Expect"}) {
        if (FindHeader(headers, own) == nullptr) {
            Append(list, std::string(own) + ":");
        }
    }
    return list;
}

bool IsCertificateFailure(CURLcode aCode) {
    return aCode == CURLE_PEER_FAILED_VERIFICATION || aCode == CURLE_SSL_ISSUER_ERROR ||
           aCode == CURLE_SSL_INVALIDCERTSTATUS || aCode == CURLE_SSL_PINNEDPUBKEYNOTMATCH;
}

} // namespace

// The state of one attempt, shared with curl's callbacks.
struct TCurlHTTPClient::TCurlTransfer {
    TTransfer Transfer;
    std::exception_ptr Error; // thrown inside a callback, rethrown after curl returns
    curl_off_t LastUpload = 0;
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
    const std::string proxy = UsesProxy(*settings, aTarget) ? "http://" + settings->Host + ":" +
                                                                  std::to_string(settings->Port)
                                                            : "";
    // An empty proxy text makes curl connect directly, ignoring the environment.
    curl_easy_setopt(fCurl, CURLOPT_PROXY, proxy.c_str());
}

THTTPClient::TExecution TCurlHTTPClient::ExecuteRequest(const THTTPRequest& aRequest,
                                                        THTTPResponse& aResponse,
                                                        TContentStream* aContent) {
    const TURI target = TransferTarget(aRequest.GetURL());
    const std::string targetText = target.ToString();
    TCurlTransfer state{
        TTransfer(aRequest, aResponse, aContent, {ResponseTimeout(), MinimumSpeed(), TimeLimit()}),
        nullptr, 0};
    TTransfer& transfer = state.Transfer;
    long timeout = 0; // curl's own limit: none
    if (const auto left = transfer.TimeLeft()) {
        if (left->count() <= 0) { // the redirects before used up the time
            transfer.CutOff(TTransfer::TCutOff::TimeLimit);
            return {TExecutionResult::UnknownError, transfer.LimitText()};
        }
        // Only a backstop: the progress callback ends the transfer at the deadline and
        // names the reason.
        timeout = static_cast<long>(left->count()) + 1000;
    }

    const TSlist headers = BuildHeaders(aRequest);
    curl_easy_setopt(fCurl, CURLOPT_URL, targetText.c_str());
    PrepareMethod(aRequest);
    PrepareProxy(target);
    curl_easy_setopt(fCurl, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(fCurl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(ConnectionTimeout().count()));
    curl_easy_setopt(fCurl, CURLOPT_TIMEOUT_MS, timeout);
    curl_easy_setopt(fCurl, CURLOPT_HEADERDATA, &state);
    curl_easy_setopt(fCurl, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(fCurl, CURLOPT_XFERINFODATA, &state);
    fErrorBuffer[0] = '\0';

    const CURLcode code = curl_easy_perform(fCurl);
    // Nothing may point at this attempt's data once it is over.
    curl_easy_setopt(fCurl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(fCurl, CURLOPT_POSTFIELDS, nullptr);
    return Finish(code, state);
}

THTTPClient::TExecution TCurlHTTPClient::Finish(CURLcode aCode, TCurlTransfer& aState) {
    if (aState.Error) {
        std::rethrow_exception(aState.Error);
    }
    TTransfer& transfer = aState.Transfer;
    if (aCode == CURLE_OK) {
        transfer.Finish();
        return {};
    }
    if (transfer.Aborted()) {
        return {}; // the response keeps what it has: status and headers
    }
    if (aCode == CURLE_OPERATION_TIMEDOUT && transfer.Exceeded() == TTransfer::TCutOff::None &&
        transfer.TimeLeft() == std::chrono::milliseconds::zero()) {
        transfer.CutOff(TTransfer::TCutOff::TimeLimit); // curl's clock struck first
    }
    if (aCode == CURLE_OUT_OF_MEMORY && !transfer.Response().HeadComplete()) {
        transfer.CutOff(TTransfer::TCutOff::HeadTooLarge); // one line over curl's limit
    }
    const bool limited = transfer.Exceeded() != TTransfer::TCutOff::None;
    const bool timedOut = limited && transfer.Exceeded() != TTransfer::TCutOff::HeadTooLarge;
    const CURLcode reported = timedOut ? CURLE_OPERATION_TIMEDOUT : aCode;
    std::string detail = limited ? transfer.LimitText() : std::string(fErrorBuffer);
    if (detail.empty()) {
        detail = curl_easy_strerror(reported);
    }
    if (transfer.Response().HeadComplete()) {
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
    auto& state = *static_cast<TCurlTransfer*>(aData);
    const std::size_t length = aSize * aCount;
    try {
        return state.Transfer.TakeHeadLine(std::string_view(aBuffer, length)) ? length : 0;
    } catch (...) {
        state.Error = std::current_exception();
        return 0;
    }
}

std::size_t TCurlHTTPClient::OnWrite(char* aBuffer, std::size_t aSize, std::size_t aCount,
                                     void* aData) {
    auto& state = *static_cast<TCurlTransfer*>(aData);
    const std::size_t length = aSize * aCount;
    try {
        return state.Transfer.TakeBody(std::string_view(aBuffer, length)) ? length : 0;
    } catch (...) {
        state.Error = std::current_exception();
        return 0;
    }
}

int TCurlHTTPClient::OnProgress(void* aData, curl_off_t, curl_off_t, curl_off_t,
                                curl_off_t aUpNow) {
    auto& state = *static_cast<TCurlTransfer*>(aData);
    if (aUpNow != state.LastUpload) {
        state.Transfer.Sent(aUpNow - state.LastUpload);
        state.LastUpload = aUpNow;
    }
    return state.Transfer.CheckLimits() ? 1 : 0;
}

} // namespace brivane::net
