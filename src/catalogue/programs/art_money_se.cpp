// ArtMoney SE: the download page names the edition with its version ("ArtMoney SE
// v7.45") and links an English and a Russian installer; the interface language picks
// one. The installed program's name carries its version.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.artmoney.ru";
constexpr const char* kPage = "https://www.artmoney.ru/e_download.htm";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TArtMoneySE final : public TBaseSoftware {
public:
    TArtMoneySE() : TBaseSoftware("ArtMoney SE", scSystem) {}

protected:
    // "ArtMoney SE v7.45"
    void FindApplication() override {
        static const auto name = NewRegex("^ArtMoney\\s+?SE\\s+?v?([\\d.]+)", {});
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?ArtMoney\\s+?SE\\s+?v([\\d.]+)\\s*?<", kHtml);
        static const auto english = NewRegex("href=\"([^<>]+?_eng_se_setup\\.exe)\"", kHtml);
        static const auto russian = NewRegex("href=\"([^<>]+?_rus_se_setup\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kPage), *version,
                           aLanguage == lRussian ? *russian : *english, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeArtMoneySE() {
    return std::make_unique<TArtMoneySE>();
}

} // namespace brivane::programs
