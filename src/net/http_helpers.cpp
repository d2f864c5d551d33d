#include "net/http_helpers.h"

#include "base/identity.h"
#include "net/code_page.h"
#include "net/gzip.h"

namespace brivane::net {

namespace {

std::unique_ptr<THTTPClient> CreateClientWithDefaultHeaders() {
    auto client = THTTPClient::Create();
    for (const auto& header : DefaultRequestHeaders()) {
        client->SetCustomHeader(header.Name, header.Value);
    }
    return client;
}

} // namespace

const TNetHeaders& DefaultRequestHeaders() {
    static const TNetHeaders headers{
        {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
        {"Accept-Language", "en-US,en;q=0.8,ru;q=0.6"},
        {"Accept-Charset", "utf-8;q=0.7,*;q=0.3"},
        {"Accept-Encoding", "gzip, deflate"},
    };
    return headers;
}

std::unique_ptr<THTTPClient> CreateHTTPClient() {
    auto client = THTTPClient::Create();
    SetupHTTPClient(*client);
    return client;
}

void SetupHTTPClient(THTTPClient& aClient) {
    aClient.SetUserAgent(kProgramName);
    for (const auto& header : DefaultRequestHeaders()) {
        aClient.SetCustomHeader(header.Name, header.Value);
    }
}

std::unique_ptr<THTTPClient> CreateDownloadClient() {
    auto client = CreateHTTPClient();
    client->SetTimeLimit(std::chrono::milliseconds::zero());
    client->SetMinimumSpeed(kDownloadMinimumSpeed);
    return client;
}

std::unique_ptr<THTTPClient> CreateUpdateClient() {
    auto client = CreateClientWithDefaultHeaders();
    client->SetHandleRedirects(true);
    return client;
}

std::string DecodeBodyText(const IHTTPResponse& aResponse, std::string aBody, int aCodePage) {
    const std::string encoding = LowerToken(aResponse.GetContentEncoding());
    if (encoding.find("gzip") != std::string::npos) {
        aBody = GzipDecode(aBody, kMaxDecodedBodySize);
    } else if (encoding.find("deflate") != std::string::npos) {
        aBody = DeflateDecode(aBody, kMaxDecodedBodySize); // advertised, so decoded too
    }
    return DecodeCodePage(aBody, aCodePage);
}

namespace {

// The text of the body a request wrote into a memory stream (see GetPageText).
template <typename TRequest>
std::string RequestPageText(const TRequest& aRequest, int aCodePage,
                            const TResponseEvent& aOnResponse) {
    TMemoryContent body(kMaxTextBodySize);
    std::shared_ptr<IHTTPResponse> response;
    try {
        response = aRequest(body);
    } catch (const std::exception&) {
        return {}; // a failed request is an expected outcome: no text
    }
    if (aOnResponse) {
        try {
            aOnResponse(*response);
        } catch (...) {
        }
    }
    return DecodeBodyText(*response, body.Take(), aCodePage);
}

} // namespace

std::string GetPageText(THTTPClient& aClient, const std::string& aURL, int aCodePage,
                        const TResponseEvent& aOnResponse) {
    return RequestPageText([&](TMemoryContent& aBody) { return aClient.Get(aURL, &aBody); },
                           aCodePage, aOnResponse);
}

std::string PostPageText(THTTPClient& aClient, const std::string& aURL, std::string_view aFields,
                         int aCodePage, const TResponseEvent& aOnResponse) {
    return RequestPageText(
        [&](TMemoryContent& aBody) { return aClient.Post(aURL, aFields, &aBody); }, aCodePage,
        aOnResponse);
}

std::string GetPageTextOnce(const std::string& aURL, int aCodePage,
                            const TResponseEvent& aOnResponse) {
    return GetPageText(*CreateHTTPClient(), aURL, aCodePage, aOnResponse);
}

int ContentCodePage(const IHTTPResponse* aResponse) {
    return aResponse == nullptr ? 0 : CodePageOfCharset(aResponse->GetContentCharSet());
}

std::string GetUpdateText(const std::string& aURL, int aCodePage) {
    try {
        TMemoryContent body(kMaxTextBodySize);
        const auto response = CreateUpdateClient()->Get(aURL, &body);
        if (body.Bytes().empty()) {
            return {};
        }
        int codePage = aCodePage != 0 ? aCodePage : ContentCodePage(response.get());
        if (codePage == 0) {
            codePage = kCodePageUtf8;
        }
        return DecodeBodyText(*response, body.Take(), codePage);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace brivane::net
