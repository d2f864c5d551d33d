#include "catalogue/portal_sources.h"

#include "catalogue/definition_helpers.h"

namespace brivane {

namespace {

// Switches following off for one request and on again however it ends.
class TRedirectsOff {
public:
    explicit TRedirectsOff(net::THTTPClient& aClient) : fClient(aClient) {
        fClient.SetHandleRedirects(false);
    }
    ~TRedirectsOff() { fClient.SetHandleRedirects(true); }
    TRedirectsOff(const TRedirectsOff&) = delete;
    TRedirectsOff& operator=(const TRedirectsOff&) = delete;

private:
    net::THTTPClient& fClient;
};

} // namespace

std::string RedirectLocation(net::THTTPClient& aClient, const std::string& aURL) {
    std::string location;
    const TRedirectsOff off(aClient);
    net::GetPageText(aClient, aURL, net::kCodePageUtf8, [&](const net::IHTTPResponse& aResponse) {
        location = aResponse.GetHeaderValue("Location");
    });
    return location;
}

void ReadVersionAndLink(const std::string& aPage, const IRegex& aVersion, const IRegex& aLink,
                        std::string_view aSite, TCheckedParams& aParams) {
    const TRegexSubject page(aPage);
    if (auto version = FirstGroup(aVersion, page)) {
        aParams.AvailableVersion = std::move(*version);
    }
    if (const auto link = FirstGroup(aLink, page)) {
        aParams.DownloadURL = AbsoluteLink(aSite, *link);
    }
}

TPadInfo ReadPadFile(const std::string& aText) {
    static const TRegCompileOptions options = {TRegCompileOption::rcoIgnoreCase,
                                               TRegCompileOption::rcoSingleLine};
    static const auto version = NewRegex("<Program_Version>([\\d.]+?)</Program_Version>", options);
    static const auto link =
        NewRegex("<Primary_Download_URL>(.+?)</Primary_Download_URL>", options);
    const TRegexSubject text(aText);
    TPadInfo result;
    result.Version = FirstGroup(*version, text).value_or("");
    result.DownloadURL = FirstGroup(*link, text).value_or("");
    return result;
}

} // namespace brivane
