#include "catalogue/http_range_source.h"

#include "net/http_client.h"
#include "net/net_errors.h"

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
        const auto response = fHttpClient->GetRange(fURL, aStart, aEnd, &content);
        if (const int status = response->GetStatusCode(); status >= 400) {
            NoteFailure("HTTP " + std::to_string(status) + " " + response->GetStatusText());
        }
    } catch (const net::ENetHTTPException& e) {
        NoteFailure(e.Detail().empty() ? e.what() : e.Detail());
        return {}; // no answer, or more than was asked for
    }
    return content.Take();
}

void THTTPRangeSource::NoteFailure(std::string aReason) {
    if (fFailure.empty()) {
        fFailure = std::move(aReason);
    }
}

} // namespace brivane
