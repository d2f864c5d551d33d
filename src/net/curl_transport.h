#pragma once
// The HTTP transport over libcurl. curl only moves bytes: redirects, cookies and
// content decoding are left to the framework (curl follows nothing and decodes
// nothing). Each client keeps one curl handle, so its requests reuse connections;
// server certificates are verified against the system's trust store.

#include "net/http_client.h"

#include <curl/curl.h>

namespace brivane::net {

class TCurlHTTPClient final : public THTTPClient {
public:
    // Throws ENetHTTPClientException "Error obtaining session handle" when curl
    // cannot make a handle.
    TCurlHTTPClient();
    ~TCurlHTTPClient() override;

protected:
    TExecution ExecuteRequest(const THTTPRequest& aRequest, THTTPResponse& aResponse,
                              TContentStream* aContent) override;

private:
    struct TCurlTransfer;

    void PrepareMethod(const THTTPRequest& aRequest);
    void PrepareProxy(const TURI& aTarget);
    TExecution Finish(CURLcode aCode, TCurlTransfer& aTransfer);

    static std::size_t OnHeader(char* aBuffer, std::size_t aSize, std::size_t aCount, void* aData);
    static std::size_t OnWrite(char* aBuffer, std::size_t aSize, std::size_t aCount, void* aData);
    static int OnProgress(void* aData, curl_off_t aDownTotal, curl_off_t aDownNow,
                          curl_off_t aUpTotal, curl_off_t aUpNow);

    CURL* fCurl = nullptr;
    char fErrorBuffer[CURL_ERROR_SIZE] = {};
};

} // namespace brivane::net
