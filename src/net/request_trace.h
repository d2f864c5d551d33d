#pragma once
// One attempt of the HTTP client (a request, each redirect being one) as a step of the
// check trace of its thread (base/check_trace.h). Without a current trace it does
// nothing beyond looking for one.

#include "base/check_trace.h"
#include "net/content_stream.h"
#include "net/http_client.h"
#include "net/http_response.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <string>

namespace brivane::net {

class TTracedAttempt {
public:
    // aResponse is the attempt's response, read when the attempt ends.
    TTracedAttempt(const THTTPRequest& aRequest, const THTTPResponse& aResponse,
                   TContentStream* aContent);
    // Adds the attempt to the trace.
    ~TTracedAttempt();
    TTracedAttempt(const TTracedAttempt&) = delete;
    TTracedAttempt& operator=(const TTracedAttempt&) = delete;

    // Where the attempt writes the body: aContent, through a byte counter while traced.
    TContentStream* Content() { return fTrace != nullptr ? &fCounter : fCounter.Target; }

    // The attempt failed: the transport's reason, or the text of the error.
    void SetError(std::string aError);
    void SetError(const std::exception& aError);

private:
    struct TCounter final : TContentStream {
        TContentStream* Target = nullptr;
        std::int64_t Bytes = 0;

        void Write(std::string_view aBytes) override;
        void Clear() override;
    };

    TCheckTrace* fTrace;
    const THTTPResponse& fResponse;
    TCounter fCounter;
    TTracedRequest fStep;
    std::chrono::steady_clock::time_point fStart;
};

} // namespace brivane::net
