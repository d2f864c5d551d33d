// RaidCall: the publisher's download page states the release ("RaidCall v7.3.6") and
// links the installer beside it. The installer registers its version with build numbers
// after it ("7.3.6-1.0.11480-12.15.1.111"), of which the number in front is kept, and
// records no icon: the program in the install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.raidcall.com";
constexpr const char* kDownloadPage = "https://www.raidcall.com/download.php";
constexpr const char* kExecutable = "raidcall.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TRaidCall final : public TBaseSoftware {
public:
    TRaidCall() : TBaseSoftware("RaidCall", scInternetNetwork) {}

protected:
    std::string GetCurrentVersion() override {
        static const auto number = NewRegex("^([\\d.]+)");
        return InventoryVersionGroup(*number).value_or(TBaseSoftware::GetCurrentVersion());
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?RaidCall\\s+?v?([\\d.]+)\\s*?<", kHtml);
        static const auto link =
            NewRegex("<a\\s[^<>]*?href=\"([^<>\"]+?\\.exe)\"[^<>]*?>\\s*?Download", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeRaidCall() {
    return std::make_unique<TRaidCall>();
}

} // namespace brivane::programs
