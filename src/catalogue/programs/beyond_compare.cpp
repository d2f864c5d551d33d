// Beyond Compare: the download page states "Current Version: 4.1.9, build 21719" and
// links the English installer ("BCompare-4.1.9.21719.exe"). The installer registers the
// version in the display name ("Beyond Compare 4.1.9"); builds of one release count as
// the same version, so only three components are compared.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"
#include "catalogue/short_version_software.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.scootersoftware.com";
constexpr const char* kDownloadPage = "https://www.scootersoftware.com/download.php";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TBeyondCompare final : public TShortVersionSoftware {
public:
    TBeyondCompare() : TShortVersionSoftware("Beyond Compare", scDevelopment, 3) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Beyond\\s+?Compare\\s+?(?:Version\\s+?)?([\\d.]+)",
                                          {TRegCompileOption::rcoIgnoreCase});
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("Current\\s+?Version:?(?:\\s*<[^<>]+?>\\s*)*?\\s*?([\\d.]+)", kHtml);
        static const auto installer = NewRegex("href=\"([^<>]+?/BCompare-[\\d.]+\\.exe)\"", kHtml);
        const TRegexSubject page(GetPageText(kDownloadPage));
        ReadVersionAndLink(page, *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeBeyondCompare() {
    return std::make_unique<TBeyondCompare>();
}

} // namespace brivane::programs
