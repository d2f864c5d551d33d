#include "net/request_trace.h"

#include "net/host_map.h"
#include "net/net_errors.h"

namespace brivane::net {

namespace {

// The address the transport sends for aURL: rewritten by the host map, if any.
std::string AddressAsSent(const TURI& aURL) {
    try {
        if (const auto map = CurrentHostMap()) {
            return map->Rewrite(aURL);
        }
    } catch (const std::exception&) {
        // A broken map fails the request itself, with its own error.
    }
    return aURL.ToString();
}

} // namespace

void TTracedAttempt::TCounter::Write(std::string_view aBytes) {
    if (Target != nullptr) {
        Target->Write(aBytes);
    }
    Bytes += static_cast<std::int64_t>(aBytes.size());
}

void TTracedAttempt::TCounter::Clear() {
    if (Target != nullptr) {
        Target->Clear();
    }
    Bytes = 0;
}

TTracedAttempt::TTracedAttempt(const THTTPRequest& aRequest, const THTTPResponse& aResponse,
                               TContentStream* aContent)
    : fTrace(TCheckTrace::Current()), fResponse(aResponse) {
    fCounter.Target = aContent;
    if (fTrace != nullptr) {
        fStep.Method = aRequest.GetMethod();
        fStep.Address = AddressAsSent(aRequest.GetURL());
        fStart = std::chrono::steady_clock::now();
    }
}

TTracedAttempt::~TTracedAttempt() {
    if (fTrace == nullptr) {
        return;
    }
    try {
        if (fResponse.HeadComplete()) {
            fStep.Status = fResponse.GetStatusCode();
            fStep.StatusText = fResponse.GetStatusText();
        }
        fStep.Bytes = fCounter.Bytes;
        fStep.Milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - fStart)
                                 .count();
        fTrace->AddRequest(std::move(fStep));
    } catch (...) {
        // The trace only watches; the request goes on as if it were not there.
    }
}

void TTracedAttempt::SetError(std::string aError) {
    if (fTrace != nullptr) {
        fStep.Error = std::move(aError);
    }
}

void TTracedAttempt::SetError(const std::exception& aError) {
    const auto* net = dynamic_cast<const ENetHTTPException*>(&aError);
    SetError(net != nullptr && !net->Detail().empty() ? net->Detail() : aError.what());
}

} // namespace brivane::net
