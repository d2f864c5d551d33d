#include "install/installer_name.h"

#include "install/file_name.h"
#include "regex/regex.h"

namespace brivane::install {

std::string DispositionFileName(std::string_view aContentDisposition) {
    static const auto pattern = NewRegex(
        "filename=\"(.+?)\"", {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
    const auto match = pattern->Match(aContentDisposition);
    return match && match->Success() ? match->Groups()->Item(1)->Value() : std::string();
}

std::string ServerFileName(net::THTTPClient& aClient, const std::string& aURL) {
    std::shared_ptr<net::IHTTPResponse> head;
    try {
        head = aClient.Head(aURL);
    } catch (const std::exception&) {
        return {}; // no answer: the server names nothing
    }
    const std::string disposition = head->GetHeaderValue("Content-Disposition");
    if (!disposition.empty()) {
        return PlainFileName(DispositionFileName(disposition));
    }
    // HEAD is not redirected; a GET is, and its first body notification ends it.
    const auto saved = aClient.OnReceiveData();
    aClient.SetOnReceiveData(
        [](const net::THTTPRequest&, std::int64_t, std::int64_t, bool& aAbort) { aAbort = true; });
    std::string name;
    try {
        name = PlainFileName(AddressFileName(aClient.Get(aURL)->GetURL()));
    } catch (const std::exception&) {
        // A probe that fails names nothing; the download itself reports the failure.
    }
    aClient.SetOnReceiveData(saved);
    return name;
}

} // namespace brivane::install
