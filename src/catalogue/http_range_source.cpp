#include "catalogue/http_range_source.h"

#include "net/http_client.h"

namespace brivane {

THTTPRangeSource::THTTPRangeSource(std::string aURL)
    : fURL(std::move(aURL)), fHttpClient(net::THTTPClient::Create()) {}

THTTPRangeSource::~THTTPRangeSource() = default;

std::string THTTPRangeSource::ReadRange(std::int64_t aStart, std::int64_t aEnd) {
    if (aStart < 0 || aEnd < aStart) {
        return {};
    }
    net::TMemoryContent content(static_cast<std::size_t>(aEnd - aStart + 1));
    try {
        fHttpClient->GetRange(fURL, aStart, aEnd, &content);
    } catch (...) {
        return {}; // no answer, or more than was asked for
    }
    return content.Take();
}

} // namespace brivane
