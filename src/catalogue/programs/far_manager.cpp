// Far Manager: the download page lists the stable builds and, in a section of their
// own, the nightly builds, as installers named after version and build
// ("Far30b4774.x64.20160902.msi" is 3.0.4774 for 64-bit systems).

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.farmanager.com";
constexpr const char* kDownloadPage = "https://www.farmanager.com/download.php?l=en";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TFarManager final : public TBaseSoftware {
public:
    TFarManager() : TBaseSoftware("Far Manager", scSystem) {}

protected:
    // "Far Manager 3 x64" and the like.
    void FindApplication() override {
        static const auto name = NewRegex("^Far\\s+?Manager\\b", kHtml);
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        static const auto stable =
            NewRegex(">\\s*?Stable\\s+?builds(.+?)(?:>\\s*?Nightly\\s+?builds|$)", kHtml);
        static const auto nightly = NewRegex(">\\s*?Nightly\\s+?builds(.+)$", kHtml);
        static const auto x64 =
            NewRegex("href=\"([^<>]+?Far(\\d)(\\d)b(\\d+)\\.x64\\.\\d+\\.msi)\"", kHtml);
        static const auto x86 =
            NewRegex("href=\"([^<>]+?Far(\\d)(\\d)b(\\d+)\\.x86\\.\\d+\\.msi)\"", kHtml);

        const auto section =
            FirstGroup(aCheckBetaVersion ? *nightly : *stable, GetPageText(kDownloadPage));
        if (!section) {
            return;
        }
        const auto link = (Context().IsWindows64() ? x64 : x86)->Match(*section);
        if (!link->Success()) {
            return;
        }
        aParams.AvailableVersion =
            GroupText(*link, 2) + "." + GroupText(*link, 3) + "." + GroupText(*link, 4);
        aParams.DownloadURL = AbsoluteLink(kSite, GroupText(*link, 1));
        aParams.IsBeta = aCheckBetaVersion;
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFarManager() {
    return std::make_unique<TFarManager>();
}

} // namespace brivane::programs
