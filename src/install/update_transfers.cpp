#include "install/update_transfers.h"

#include "net/code_page.h"
#include "net/http_helpers.h"
#include "net/net_errors.h"

namespace brivane::install {

namespace {

// An exception's text, with the transport's own reason where it gives one.
std::string FailureText(const std::exception& aError) {
    const auto* failure = dynamic_cast<const net::ENetHTTPException*>(&aError);
    return failure != nullptr && !failure->Detail().empty()
               ? std::string(aError.what()) + " (" + failure->Detail() + ")"
               : std::string(aError.what());
}

} // namespace

bool IsHttpsAddress(const std::string& aURL) {
    try {
        return net::TURI::Parse(aURL).Scheme == "https";
    } catch (const std::exception&) {
        return false;
    }
}

std::string FetchManifestText(const std::string& aURL, std::string& aError) {
    if (!IsHttpsAddress(aURL)) {
        aError = "the update address is not https: " + aURL;
        return {};
    }
    try {
        net::TMemoryContent body(net::kMaxTextBodySize);
        const auto response = net::CreateUpdateClient()->Get(aURL, &body);
        if (response->GetStatusCode() != 200) {
            aError = "the update server answered HTTP " +
                     std::to_string(response->GetStatusCode()) + " " + response->GetStatusText();
            return {};
        }
        if (!IsHttpsAddress(response->GetURL())) {
            aError = "the update server redirected to an address that is not https: " +
                     response->GetURL();
            return {};
        }
        const int codePage = net::ContentCodePage(response.get());
        return net::DecodeBodyText(*response, body.Take(),
                                   codePage != 0 ? codePage : net::kCodePageUtf8);
    } catch (const std::exception& e) {
        aError = "the update server cannot be read: " + FailureText(e);
        return {};
    }
}

std::string DownloadInstaller(const std::string& aURL, const std::filesystem::path& aFile,
                              const TDownloadBlockEvent& aOnBlock) {
    auto client = net::CreateDownloadClient();
    // The installer's own bytes are what the manifest vouches for, not a compressed copy.
    client->RemoveCustomHeader("Accept-Encoding");
    bool stopped = false;
    client->SetOnReceiveData(
        [&](const net::THTTPRequest&, std::int64_t aLength, std::int64_t aRead, bool& aAbort) {
            stopped = stopped || !aOnBlock(aRead, aLength);
            aAbort = stopped;
        });
    try {
        net::TFileContent content(aFile);
        const auto response = client->Get(aURL, &content);
        content.Close();
        if (stopped) {
            return {};
        }
        if (response->GetStatusCode() != 200) {
            return "the installer's server answered HTTP " +
                   std::to_string(response->GetStatusCode()) + " " + response->GetStatusText();
        }
        if (!IsHttpsAddress(response->GetURL())) {
            return "the installer's server redirected to an address that is not https: " +
                   response->GetURL();
        }
        const std::int64_t length = response->GetContentLength();
        if (length < 0) {
            return "the installer's server announced no length";
        }
        if (content.Size() != length) {
            return "the installer arrived incomplete: " + std::to_string(content.Size()) + " of " +
                   std::to_string(length) + " bytes";
        }
        return {};
    } catch (const std::exception& e) {
        return "the installer cannot be downloaded: " + FailureText(e);
    }
}

} // namespace brivane::install
