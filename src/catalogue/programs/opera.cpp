// Opera: the publisher's download link answers with a redirect to a page of its own
// site that starts the download and offers a "try again" link; that link redirects
// to the installer, whose path carries the version (".../38.0.2220.41/win/...").
// Both redirects are followed by hand. The pre-release channel ("Opera Next") is
// reached the same way; when both are checked, it wins unless the stable release is
// newer.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.opera.com";
constexpr const char* kStableLink = "https://www.opera.com/download/get/?partner=www&opsys=Windows";
constexpr const char* kNextLink =
    "https://www.opera.com/download/get/?partner=www&opsys=Windows&product=Opera%20Next";

class TOpera final : public TBaseSoftware {
public:
    TOpera() : TBaseSoftware("Opera", scInternetNetwork) {}

protected:
    // "Opera Stable 38.0.2220.41", "Opera 12.17"; several side by side, the highest
    // counts.
    void FindApplication() override {
        static const auto name =
            NewRegex("^Opera\\s+?(?:Stable\\s+?|beta\\s+?|developer\\s+?)?[\\d.]+$",
                     {TRegCompileOption::rcoIgnoreCase});
        FindHighestApplication(*name, THighestFrom::Held);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        aParams = CheckRelease(kStableLink);
        if (!aCheckBetaVersion) {
            return;
        }
        TCheckedParams next = CheckRelease(kNextLink);
        next.IsBeta = !next.AvailableVersion.empty();
        // The pre-release on a tie.
        if (CompareVersions(aParams.AvailableVersion, next.AvailableVersion, 4) <= 0) {
            aParams = std::move(next);
        }
    }

private:
    // The installer and version one download link leads to; nothing without its first
    // redirect.
    TCheckedParams CheckRelease(const std::string& aLink) {
        static const auto tryAgain = NewRegex("\\shref=\"([^<>]+?)\"[^<>]*?>\\s*?try\\s+?again",
                                              {TRegCompileOption::rcoSingleLine});
        static const auto version =
            NewRegex("/(\\d[\\d.]+\\d)/", {TRegCompileOption::rcoSingleLine});
        TCheckedParams release;
        const std::string startPage = RedirectLocation(*fHTTP, aLink);
        if (startPage.empty()) {
            return release;
        }
        const auto retry =
            FirstGroup(*tryAgain, GetPageText(AbsoluteLink(kSite, DecodeAmpersands(startPage))));
        if (!retry) {
            return release;
        }
        release.DownloadURL =
            RedirectLocation(*fHTTP, AbsoluteLink(kSite, DecodeAmpersands(*retry)));
        release.AvailableVersion = VersionIn(*version, release.DownloadURL);
        return release;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeOpera() {
    return std::make_unique<TOpera>();
}

} // namespace brivane::programs
