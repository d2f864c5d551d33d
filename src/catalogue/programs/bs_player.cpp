// BS.Player FREE: the download page states the release (and a pre-release when there
// is one, "BS.Player FREE BETA 2.71"); the installer's address is the redirect that
// the page's download form answers with, for the version taken.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.bsplayer.com";
constexpr const char* kDownloadPage =
    "https://www.bsplayer.com/bsplayer-english/download-free.html";

class TBSPlayer final : public TBaseSoftware {
public:
    TBSPlayer() : TBaseSoftware("BS.Player FREE", scMultimedia) {}

protected:
    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        static const auto beta =
            NewRegex(">\\s*?BS\\.Player\\s+?FREE\\s+?BETA\\s+?([\\d.]+)\\s*?<");
        static const auto stable = NewRegex(">\\s*?BS\\.Player\\s+?FREE\\s+?([\\d.]+)\"?\\s*?<");

        const TRegexSubject page(GetPageText(kDownloadPage));
        std::optional<std::string> version;
        if (aCheckBetaVersion) {
            version = FirstGroup(*beta, page);
            aParams.IsBeta = version.has_value();
        }
        if (!version) {
            version = FirstGroup(*stable, page);
        }
        if (!version) {
            return;
        }
        aParams.AvailableVersion = *version;

        std::string location;
        {
            const TManualRedirect held(*fHTTP);
            const std::string fields = std::string("cmd=start-download\r\ntype=") +
                                       (aParams.IsBeta ? "beta" : "1") + "\r\nmirror=bsplayer";
            PostPageText(kDownloadPage, fields, [&location](const net::IHTTPResponse& aResponse) {
                location = aResponse.GetHeaderValue("Location");
            });
        }
        if (!location.empty()) {
            aParams.DownloadURL = AbsoluteLink(kSite, location);
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeBSPlayer() {
    return std::make_unique<TBSPlayer>();
}

} // namespace brivane::programs
