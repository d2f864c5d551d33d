#include "net/transfer.h"

#include "net/host_map.h"
#include "net/net_errors.h"

#include <algorithm>

namespace brivane::net {

namespace {

// An answer's head is a few kilobytes; this bounds its lines together.
constexpr std::int64_t kMaxHeadSize = 256 * 1024;

std::string WithoutLineBreaks(std::string aText) {
    std::replace_if(
        aText.begin(), aText.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return aText;
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

} // namespace

TURI TransferTarget(const TURI& aURL) {
    std::shared_ptr<const THostMap> hostMap;
    try {
        hostMap = CurrentHostMap();
    } catch (const EHostMapError& e) {
        throw ENetHTTPClientException(e.what());
    }
    TURI target = aURL;
    if (hostMap) {
        if (std::string mapped = hostMap->Rewrite(aURL); mapped != aURL.ToString()) {
            target = TURI::Parse(mapped);
        }
    }
    if (target.Scheme != "http" && target.Scheme != "https") {
        throw ENetHTTPClientException("Unsupported URL scheme: " + target.Scheme);
    }
    return target;
}

bool UsesProxy(const TProxySettings& aSettings, const TURI& aTarget) {
    return !aSettings.Host.empty() &&
           (aSettings.Scheme.empty() || SameToken(aSettings.Scheme, aTarget.Scheme)) &&
           aTarget.Host.find('.') != std::string::npos;
}

TNetHeaders WireHeaders(const THTTPRequest& aRequest) {
    TNetHeaders headers;
    for (const auto& header : aRequest.GetHeaders()) {
        headers.push_back({WithoutLineBreaks(header.Name), WithoutLineBreaks(header.Value)});
    }
    for (const char* name : {"Cache-Control", "Pragma"}) {
        if (FindHeader(headers, name) == nullptr) {
            headers.push_back({name, "no-cache"});
        }
    }
    return headers;
}

TTransfer::TTransfer(const THTTPRequest& aRequest, THTTPResponse& aResponse,
                     TContentStream* aContent, TTransferLimits aLimits)
    : fRequest(&aRequest), fResponse(&aResponse), fContent(aContent), fLimits(std::move(aLimits)),
      fReadsBody(aRequest.GetMethod() != "HEAD") {}

bool TTransfer::Report(std::int64_t aRead) const {
    return THTTPClient::ReportProgress(*fRequest, fResponse->GetStatusCode(), fTotal, aRead);
}

bool TTransfer::TakeHeadLine(std::string_view aLine) {
    const auto length = static_cast<std::int64_t>(aLine.size());
    fLastActivity = TClock::now();
    fMoved += length;
    fHeadSize += length;
    if (fHeadSize > kMaxHeadSize) {
        fExceeded = TCutOff::HeadTooLarge;
        return false;
    }
    const bool wasComplete = fResponse->HeadComplete();
    fResponse->AddHeadLine(aLine);
    if (wasComplete || !fResponse->HeadComplete() || !fReadsBody) {
        return true;
    }
    // The head is complete: the first report comes before any body byte.
    const std::int64_t announced = fResponse->GetContentLength();
    fTotal = announced > 0 ? announced : -1;
    fReporting = fResponse->GetStatusCode() < 300 && fRequest->OnReceiveData() != nullptr;
    if (fReporting && Report(0)) {
        fAborted = true;
        return false;
    }
    return true;
}

bool TTransfer::TakeBody(std::string_view aBytes) {
    fLastActivity = TClock::now();
    fMoved += static_cast<std::int64_t>(aBytes.size());
    std::size_t accepted = aBytes.size();
    if (fReporting) {
        // One report before each block; the first block of the body was announced
        // when the head ended.
        for (std::size_t offset = 0; offset < aBytes.size();
             offset += static_cast<std::size_t>(kTransferBlockSize)) {
            const std::int64_t read = fRead + static_cast<std::int64_t>(offset);
            if (read > 0 && Report(read)) {
                fAborted = true;
                accepted = offset;
                break;
            }
        }
    }
    if (fContent != nullptr && accepted > 0) {
        fContent->Write(aBytes.substr(0, accepted));
    }
    fRead += static_cast<std::int64_t>(accepted);
    return !fAborted;
}

void TTransfer::Sent(std::int64_t aBytes) {
    fMoved += std::max<std::int64_t>(aBytes, 0);
    fLastActivity = TClock::now();
}

void TTransfer::Finish() {
    if (fReporting && fTotal < 0 && fRead > 0) {
        Report(fRead);
    }
}

bool TTransfer::CheckLimits(TClock::time_point aNow) {
    if (fExceeded != TCutOff::None) {
        return true;
    }
    if (fRequest->Deadline() && aNow >= *fRequest->Deadline()) {
        fExceeded = TCutOff::TimeLimit;
    } else if (aNow - fLastActivity > fLimits.ResponseTimeout) {
        fExceeded = TCutOff::Stalled;
    } else if (fLimits.MinimumSpeed && aNow - fSpeedCheckpoint >= fLimits.MinimumSpeed->Period) {
        const auto seconds = std::chrono::duration<double>(aNow - fSpeedCheckpoint).count();
        if (static_cast<double>(fMoved - fMovedAtCheckpoint) <
            static_cast<double>(fLimits.MinimumSpeed->BytesPerSecond) * seconds) {
            fExceeded = TCutOff::TooSlow;
        } else {
            fSpeedCheckpoint = aNow;
            fMovedAtCheckpoint = fMoved;
        }
    }
    return fExceeded != TCutOff::None;
}

std::optional<std::chrono::milliseconds> TTransfer::TimeLeft(TClock::time_point aNow) const {
    const auto& deadline = fRequest->Deadline();
    if (!deadline) {
        return std::nullopt;
    }
    return std::max(std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - aNow),
                    std::chrono::milliseconds::zero());
}

std::string TTransfer::LimitText() const {
    switch (fExceeded) {
    case TCutOff::None:
        break;
    case TCutOff::Stalled:
        return "no data for " + DurationText(fLimits.ResponseTimeout);
    case TCutOff::TimeLimit:
        return "no complete answer within " + DurationText(fLimits.TimeLimit);
    case TCutOff::TooSlow:
        return "slower than " + SpeedText(fLimits.MinimumSpeed->BytesPerSecond) + " for " +
               DurationText(fLimits.MinimumSpeed->Period);
    case TCutOff::HeadTooLarge:
        return "header too large";
    }
    return {};
}

} // namespace brivane::net
