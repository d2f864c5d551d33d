// Inkscape: the project's Windows download page links one installer package per
// architecture, each file name carrying the version ("inkscape-0.91-x64.msi",
// "inkscape-0.91-x86.msi"). Several releases can be installed side by side ("Inkscape
// 0.48.5", "Inkscape 0.91"); the highest version above 0 counts.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://inkscape.org";
constexpr const char* kDownloadPage = "https://inkscape.org/en/download/windows/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TInkscape final : public TBaseSoftware {
public:
    TInkscape() : TBaseSoftware("Inkscape", scGraphics) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Inkscape(?:\\s+?\\d+(?:\\.\\d+)*)?$");
        FindHighestApplication(*name, THighestFrom::Zero);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>\"]+?/inkscape-(\\d+(?:\\.\\d+)*)-x64\\.msi)\"", kHtml);
        static const auto installer32 =
            NewRegex("href=\"([^<>\"]+?/inkscape-(\\d+(?:\\.\\d+)*)-x86\\.msi)\"", kHtml);
        const auto& installer = Context().IsWindows64() ? installer64 : installer32;
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeInkscape() {
    return std::make_unique<TInkscape>();
}

} // namespace brivane::programs
