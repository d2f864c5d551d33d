// Paint.NET: the home page's download links state the release ("Download paint.net
// 4.0.10") and, while there is one, the pre-release ("Download paint.net 4.0.11
// Beta"). Links there are protocol-relative.

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.getpaint.net";
constexpr const char* kHomePage = "https://www.getpaint.net/index.html";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TPaintNET final : public TBaseSoftware {
public:
    TPaintNET() : TBaseSoftware("Paint.NET", scGraphics) {}

protected:
    // Its installers register "Paint.NET v3.36" with the version in the name only.
    void FindApplication() override {
        static const auto name = NewRegex("^Paint\\.NET\\s+?v?([\\d.]+)", kHtml);
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool aCheckBetaVersion, TLanguage, TCheckedParams& aParams) override {
        static const auto beta = NewRegex(
            "<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?Download\\s+?paint\\.net\\s+?([\\d.]+)"
            "\\s+?Beta\\s*?<",
            kHtml);
        static const auto stable = NewRegex(
            "<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?Download\\s+?paint\\.net\\s+?([\\d.]+)"
            "\\s*?<",
            kHtml);

        const TRegexSubject page(GetPageText(kHomePage));
        // A pre-release without its link falls back to the release.
        if (aCheckBetaVersion && TakeRelease(*beta, page, kSite, aParams)) {
            aParams.IsBeta = true;
            return;
        }
        TakeRelease(*stable, page, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakePaintNET() {
    return std::make_unique<TPaintNET>();
}

} // namespace brivane::programs
