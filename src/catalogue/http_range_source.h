#pragma once
// A remote file read through HTTP range requests, each a GET with a "Range" header on
// a client of the source's own.

#include "pe/byte_range_source.h"

#include <memory>
#include <string>

namespace brivane::net {
class THTTPClient;
}

namespace brivane {

class THTTPRangeSource final : public platform::IByteRangeSource {
public:
    // A client with the default settings: no custom headers, redirects followed.
    explicit THTTPRangeSource(std::string aURL);
    ~THTTPRangeSource() override;

    // The body of the answer whatever its status. A failed request, or a body longer
    // than the range (a server that ignores it), gives nothing; the transfer of such a
    // body ends as soon as it is longer.
    std::string ReadRange(std::int64_t aStart, std::int64_t aEnd) override;

    // Why the first read that failed did so: the request's error, or the status of an
    // error answer ("HTTP 404 Not Found"); empty while every read succeeded.
    const std::string& Failure() const { return fFailure; }

private:
    void NoteFailure(std::string aReason);

    std::string fURL;
    std::string fFailure;
    std::unique_ptr<net::THTTPClient> fHttpClient;
};

} // namespace brivane
