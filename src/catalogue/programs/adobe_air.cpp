// Adobe AIR: Adobe's web service names the installer, whose version is read out of it
// remotely. A pre-release, from Adobe's labs page, is offered only when it is newer
// than the release.

#include "base/json_path.h"
#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kService = "https://get.adobe.com/air/webservices/json/"
                                 "?platform_type=Windows&platform_dist=XP&platform_arch=x86-32";
constexpr const char* kLabsSite = "https://labs.adobe.com";
constexpr const char* kPreReleasePage = "https://labs.adobe.com/downloads/air.html";

class TAdobeAIR final : public TBaseSoftware {
public:
    TAdobeAIR() : TBaseSoftware("Adobe AIR", scInternetNetwork) {}

protected:
    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        // The service answers script requests only.
        if (fHTTP->CustomHeader("X-Requested-With").empty()) {
            fHTTP->SetCustomHeader("X-Requested-With", "XMLHttpRequest");
        }
        aParams = CheckRelease();
        if (aCheckBetaVersion) {
            aParams = NewerRelease(*this, aParams, CheckPreRelease(), TTieGoesTo::Stable);
        }
    }

private:
    // [{"download_url": "https://.../AdobeAIRInstaller.exe", ...}]
    TCheckedParams CheckRelease() {
        TCheckedParams release;
        const auto answer = ParseJson(GetPageText(kService));
        if (answer && answer->is_array() && !answer->empty() && answer->front().is_object()) {
            TakeProbedInstaller(JsonText(answer->front(), "download_url"), release);
        }
        return release;
    }

    TCheckedParams CheckPreRelease() {
        static const auto link =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?Download\\s+?AIR\\s+?f?or\\s+?"
                     "Windows");
        TCheckedParams preRelease;
        if (const auto installer = FirstGroup(*link, GetPageText(kPreReleasePage))) {
            TakeProbedInstaller(AbsoluteLink(kLabsSite, *installer), preRelease);
        }
        preRelease.IsBeta = true;
        return preRelease;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAdobeAIR() {
    return std::make_unique<TAdobeAIR>();
}

} // namespace brivane::programs
