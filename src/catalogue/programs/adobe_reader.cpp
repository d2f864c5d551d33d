// Adobe Reader: Adobe's download web service lists the Reader installers offered for
// a system and language as a JSON array of objects ({"Version": "11.0.16",
// "download_url": "..."}); the highest version is taken. The service knows systems by
// their names, with a few spelt its own way.

#include "base/json_path.h"
#include "catalogue/base_software.h"
#include "net/uri.h"

namespace brivane::programs {

namespace {

constexpr const char* kWebService =
    "https://get.adobe.com/reader/webservices/json/standalone/?platform_type=Windows"
    "&platform_dist=";

class TAdobeReader final : public TBaseSoftware {
public:
    TAdobeReader() : TBaseSoftware("Adobe Reader", scOffice) {}

protected:
    // "Adobe Reader XI (11.0.10)", "Adobe Acrobat Reader DC"
    void FindApplication() override {
        static const auto name = NewRegex("^Adobe\\s+?(?:Acrobat\\s+?)?Reader");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        // The service answers only requests that look like its own page's.
        if (fHTTP->CustomHeader("X-Requested-With").empty()) {
            fHTTP->SetCustomHeader("X-Requested-With", "XMLHttpRequest");
        }
        const auto answer = ParseJson(GetPageText(
            kWebService + net::EncodeFormComponent(SystemName()) + "&platform_arch=&language=" +
            (aLanguage == lRussian ? "Russian" : "English") + "&eventname=readerotherversions"));
        if (!answer || !answer->is_array()) {
            return;
        }
        for (const nlohmann::json& installer : *answer) {
            if (!installer.is_object()) {
                continue;
            }
            std::string version = JsonText(installer, "Version");
            if (!version.empty() && (aParams.AvailableVersion.empty() ||
                                     CompareVersions(version, aParams.AvailableVersion, 4) > 0)) {
                aParams.AvailableVersion = std::move(version);
                aParams.DownloadURL = JsonText(installer, "download_url");
            }
        }
    }

private:
    // The system as the service names it.
    std::string SystemName() const {
        const TOSInformation system = Context().SystemInfo();
        if (system.fName == "Windows 8.1") {
            return "Windows 8";
        }
        if (system.fName == "Windows XP" && system.fServicePack == "3.0") {
            return "Windows XP SP3";
        }
        if (system.fName == "Windows XP" && system.fServicePack == "2.0" &&
            Context().IsWindows64()) {
            return "Windows XP SP2 (64-bit)";
        }
        return system.fName;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAdobeReader() {
    return std::make_unique<TAdobeReader>();
}

} // namespace brivane::programs
