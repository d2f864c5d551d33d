// Inno Script Studio: the publisher's downloads page lists its products in a table,
// one row each: the installer link named after the product, then the version. The
// installer's date and size are asked the way the program's own updater asks: a
// HEAD request under its user agent.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.kymoto.org";
constexpr const char* kDownloadsPage =
    "https://www.kymoto.org/products/inno-script-studio/downloads";
constexpr const char* kUpdaterAgent = "TWebUpdate";

class TInnoScriptStudio final : public TBaseSoftware {
public:
    TInnoScriptStudio() : TBaseSoftware("Inno Script Studio", scDevelopment) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Inno\\s+?Script\\s+?Studio(?:\\s+?[\\d.]+)?$",
                                          {TRegCompileOption::rcoSingleLine});
        FindFirstApplication(*name);
    }

    // <td><a href="/downloads/ISStudio_Latest.exe">Inno Script Studio</a></td>
    // <td>2.5.1</td>
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto row = NewRegex(
            "<a\\s[^<>]*?href=\"([^<>]+?\\.exe)\"[^<>]*?>\\s*?Inno\\s+?Script\\s+?Studio\\s*?</a>"
            "(?:\\s*<[^<>]+?>\\s*)*?([\\d.]+)\\s*?<",
            {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        const auto match = row->Match(GetPageText(kDownloadsPage));
        if (!match->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*match, 2);
        aParams.DownloadURL = AbsoluteLink(kSite, GroupText(*match, 1));
    }

    // A HEAD request on a client of its own with no other headers: the date and
    // length of a 200 answer, else nothing (a redirect answer too: HEAD is not
    // followed).
    TRemoteFileDateSize GetRemoteFileInfo(const std::string& aURL) override {
        const TRemoteFileDateSize none(kZeroDate, kZeroSize);
        if (aURL.find_first_not_of(" \t\r\n") == std::string::npos) {
            return none;
        }
        const auto client = net::THTTPClient::Create();
        client->SetUserAgent(kUpdaterAgent);
        std::shared_ptr<net::IHTTPResponse> response;
        try {
            response = client->Head(aURL);
        } catch (const std::exception&) {
            return none; // a failed request is an expected outcome
        }
        if (!response || response->GetStatusCode() != 200) {
            return none;
        }
        const auto seconds = ParseHttpDate(response->GetHeaderValue("Last-Modified"));
        return TRemoteFileDateSize(seconds ? UnixToLocalDateTime(*seconds) : kZeroDate,
                                   response->GetContentLength());
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeInnoScriptStudio() {
    return std::make_unique<TInnoScriptStudio>();
}

} // namespace brivane::programs
