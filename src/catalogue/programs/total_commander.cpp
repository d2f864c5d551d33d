// Total Commander: the download page offers "Download version 9.12 of Total Commander"
// with one installer for 32- and 64-bit Windows ("tcmd912x32_64.exe"). The inventory
// writes the version with a letter suffix for some releases ("9.0a"); the number alone
// is the installed version, as it is for the offered one.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.ghisler.com";
constexpr const char* kDownloadPage = "https://www.ghisler.com/download.htm";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TTotalCommander final : public TBaseSoftware {
public:
    TTotalCommander() : TBaseSoftware("Total Commander", scSystem, slShareware) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Total\\s+?Commander");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        static const auto number = NewRegex("^([\\d.]+)");
        return InventoryVersionGroup(*number).value_or(TBaseSoftware::GetCurrentVersion());
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(
            ">\\s*?Download\\s+?version\\s+?([\\d.]+)\\w*?\\s+?of\\s+?Total\\s+?Commander", kHtml);
        static const auto installer =
            NewRegex("href=\"([^<>]+?tcmd\\d+\\w*?x32_64\\.exe)\"", kHtml);
        const TRegexSubject page(GetPageText(kDownloadPage));
        ReadVersionAndLink(page, *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeTotalCommander() {
    return std::make_unique<TTotalCommander>();
}

} // namespace brivane::programs
