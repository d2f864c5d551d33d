// Ad-Aware Antivirus: the publisher's download page sends the browser on to the
// program's page on the CNet directory in a script ("window.location = ..."); that
// page gives the version and the installer.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kDownloadPage =
    "https://www.adaware.com/download/adaware_download.php?p=adaware_free";

class TAdAwareFree final : public TBaseSoftware {
public:
    TAdAwareFree() : TBaseSoftware("Ad-Aware Antivirus", scSecurity) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto location = NewRegex("window\\.location\\s*?=\\s*?\"([^<>]+?)\"");
        TakeCNetInfo(FirstGroup(*location, GetPageText(kDownloadPage)).value_or(""), aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAdAwareFree() {
    return std::make_unique<TAdAwareFree>();
}

} // namespace brivane::programs
