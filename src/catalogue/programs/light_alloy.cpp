// Light Alloy: the publisher's download page links the full installer, the version
// in the file name ("LA_Full_Setup_v4.9.1.exe"). Its installer records no icon; the
// player in the install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.light-alloy.ru";
constexpr const char* kDownloadPage = "https://www.light-alloy.ru/download/";
constexpr const char* kExecutable = "LA.exe";

class TLightAlloy final : public TBaseSoftware {
public:
    TLightAlloy() : TBaseSoftware("Light Alloy", scMultimedia) {}

protected:
    // "Light Alloy 4.9.1"
    void FindApplication() override {
        static const auto name = NewRegex("^Light\\s+?Alloy\\b");
        FindFirstApplication(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer = NewRegex("href=\"([^<>]*?LA_Full_Setup_v([\\d.]+)\\.exe)\"",
                                               {TRegCompileOption::rcoIgnoreCase});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeLightAlloy() {
    return std::make_unique<TLightAlloy>();
}

} // namespace brivane::programs
