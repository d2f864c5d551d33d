// HxD Hex Editor: the author's download page names the release ("HxD 1.7.7.0") and
// links one installer archive per language ("HxDSetupEN.zip", "HxDSetupRU.zip"); the
// user's interface language picks the Russian or the English one.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://mh-nexus.de";
constexpr const char* kDownloadPage = "https://mh-nexus.de/en/downloads.php?product=HxD";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class THxD final : public TBaseSoftware {
public:
    THxD() : TBaseSoftware("HxD Hex Editor", scDevelopment) {}

protected:
    // "HxD Hex Editor 1.7.7.0" or the name alone.
    void FindApplication() override {
        static const auto name = NewRegex("^HxD\\s+?Hex\\s+?Editor\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?HxD\\s+?(\\d+(?:\\.\\d+)*)\\s*?<", kHtml);
        static const auto english = NewRegex("href=\"([^<>\"]+?/HxDSetupEN\\.zip)\"", kHtml);
        static const auto russian = NewRegex("href=\"([^<>\"]+?/HxDSetupRU\\.zip)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version,
                           aLanguage == lRussian ? *russian : *english, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeHxD() {
    return std::make_unique<THxD>();
}

} // namespace brivane::programs
