#include "catalogue/programs/adobe_flash_player.h"

#include "base/json_path.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kService = "https://get.adobe.com/flashplayer/webservices/json/"
                                 "?platform_type=Windows&platform_dist=XP&platform_arch=x86-32";
constexpr const char* kPreReleasePage = "https://labs.adobe.com/downloads/flashplayer.html";

class TAdobeFlashPlayer final : public TBaseSoftware {
public:
    explicit TAdobeFlashPlayer(TFlashPlayerKind aKind)
        : TBaseSoftware(aKind.Name, scInternetNetwork), fKind(std::move(aKind)) {}

protected:
    void FindApplication() override {
        if (fKind.HighestVersion) {
            FindHighestApplication(*fKind.InstalledName, THighestFrom::Zero);
        } else {
            FindFirstApplication(*fKind.InstalledName);
        }
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        if (aCheckBetaVersion) {
            CheckPreRelease(aParams);
        } else {
            CheckRelease(aParams);
        }
    }

private:
    // [{"aih_installer_abbr": "flashplayerax", "download_url": "...", "Version": "..."}, ...]
    void CheckRelease(TCheckedParams& aParams) {
        const auto answer = ParseJson(GetPageText(kService));
        if (!answer || !answer->is_array()) {
            return;
        }
        for (const nlohmann::json& installer : *answer) {
            if (installer.is_object() &&
                fKind.ServiceAbbreviation->IsMatch(JsonText(installer, "aih_installer_abbr"))) {
                aParams.DownloadURL = JsonText(installer, "download_url");
                aParams.AvailableVersion = JsonText(installer, "Version");
                break;
            }
        }
        ProbeInstallerVersion(aParams, TProbeWhen::VersionMissing);
    }

    void CheckPreRelease(TCheckedParams& aParams) {
        static const auto version =
            NewRegex("Flash\\s+?Player\\s+?([\\d.]+?)\\s+?Beta\\s+?Installers",
                     {TRegCompileOption::rcoSingleLine});
        const TRegexSubject page(GetPageText(kPreReleasePage));
        const auto pageVersion = FirstGroup(*version, page);
        const auto link = FirstGroup(*fKind.PreReleaseLink, page);
        aParams.IsBeta = pageVersion || link;
        aParams.AvailableVersion = pageVersion.value_or("");
        aParams.DownloadURL = link.value_or("");
        ProbeInstallerVersion(aParams, TProbeWhen::Always);
    }

    const TFlashPlayerKind fKind;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAdobeFlashPlayer(TFlashPlayerKind aKind) {
    return std::make_unique<TAdobeFlashPlayer>(std::move(aKind));
}

} // namespace brivane::programs
