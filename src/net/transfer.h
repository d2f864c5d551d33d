#pragma once
// What every HTTP transport shares: the address a request really goes to, the
// headers it puts on the wire, and the state of one attempt (the head as it
// arrives, the body in reported blocks, and the client's limits on time, speed and
// head size). A transport only moves the bytes.

#include "net/http_client.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brivane::net {

// Progress is reported before each block of at most this many bytes.
constexpr std::int64_t kTransferBlockSize = 4096;

// The address a request is sent to: its own, or the host map's rewrite of it.
// Throws ENetHTTPClientException for a broken host map or a scheme other than
// http and https.
TURI TransferTarget(const TURI& aURL);

// Whether aSettings send a request for aTarget through their proxy. Like the
// system's "<local>" rule, host names without a dot go direct.
bool UsesProxy(const TProxySettings& aSettings, const TURI& aTarget);

// The request's headers as they go on the wire: line breaks blanked (a value
// taken from a page must not inject headers of its own), then "Cache-Control" and
// "Pragma" no-cache unless given, so answers come from the origin server.
TNetHeaders WireHeaders(const THTTPRequest& aRequest);

// The limits of a client, as one attempt applies them.
struct TTransferLimits {
    std::chrono::milliseconds ResponseTimeout{};
    std::optional<TMinimumSpeed> MinimumSpeed;
    std::chrono::milliseconds TimeLimit{};
};

// One attempt: what has been received and which limit, if any, cut it short.
class TTransfer {
public:
    using TClock = std::chrono::steady_clock;

    // Why the transfer was cut short by one of the client's limits.
    enum class TCutOff { None, Stalled, TimeLimit, TooSlow, HeadTooLarge };

    TTransfer(const THTTPRequest& aRequest, THTTPResponse& aResponse, TContentStream* aContent,
              TTransferLimits aLimits);

    const THTTPRequest& Request() const { return *fRequest; }
    THTTPResponse& Response() const { return *fResponse; }

    // Takes one line of the answer's head. False when the transfer must end: the
    // head grew too large (Exceeded() says so) or the receive-data handler, asked
    // before the first body byte, aborted (Aborted()).
    bool TakeHeadLine(std::string_view aLine);
    // Takes body bytes, reporting before each block; false once the handler aborted
    // (the bytes after the block it refused are dropped).
    bool TakeBody(std::string_view aBytes);
    // Counts bytes sent as activity.
    void Sent(std::int64_t aBytes);
    // The body ended: an unknown length ends with one more report, after the last block.
    void Finish();

    bool Aborted() const { return fAborted; }
    TCutOff Exceeded() const { return fExceeded; }
    // Records the limit the transfer has gone beyond at aNow, if any; true when one has.
    bool CheckLimits(TClock::time_point aNow = TClock::now());
    // Records a cut-off the transport found by itself (its own clock struck).
    void CutOff(TCutOff aReason) { fExceeded = aReason; }
    // The time left before the request's deadline; none when it has no deadline.
    std::optional<std::chrono::milliseconds>
    TimeLeft(TClock::time_point aNow = TClock::now()) const;
    // The reason of the cut-off in words ("no data for 200 ms"); empty when none.
    std::string LimitText() const;

private:
    bool Report(std::int64_t aRead) const;

    const THTTPRequest* fRequest;
    THTTPResponse* fResponse;
    TContentStream* fContent;
    TTransferLimits fLimits;
    bool fReadsBody;

    std::int64_t fTotal = -1; // the announced length; 0 counts as unknown
    std::int64_t fRead = 0;   // body bytes received
    bool fReporting = false;  // the receive-data handler hears of this body
    bool fAborted = false;    // the handler asked to stop
    TCutOff fExceeded = TCutOff::None;
    TClock::time_point fLastActivity = TClock::now();
    std::int64_t fHeadSize = 0; // bytes of the answer's head so far
    std::int64_t fMoved = 0;    // bytes sent and received, for the minimum speed
    TClock::time_point fSpeedCheckpoint = fLastActivity;
    std::int64_t fMovedAtCheckpoint = 0;
};

} // namespace brivane::net
