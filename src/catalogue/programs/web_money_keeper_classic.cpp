// WebMoney Keeper: the Keeper's download page states the release ("Version:
// 3.9.9.9") and links one installer per language ("wmk_classic_ru.exe",
// "wmk_classic_en.exe"); the user's interface language picks Russian or English. The
// installer registers "WebMoney Keeper Classic" (older releases "WebMoney Keeper
// WinPro").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.webmoney.ru";
constexpr const char* kDownloadPage = "https://www.webmoney.ru/eng/developers/keeper_classic.shtml";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TWebMoneyKeeperClassic final : public TBaseSoftware {
public:
    TWebMoneyKeeperClassic() : TBaseSoftware("WebMoney Keeper", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^WebMoney\\s+?Keeper\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?Version\\s*?:?(?:\\s*<[^<>]+?>\\s*)*?\\s*?(\\d[\\d.]*)", kHtml);
        static const auto russian = NewRegex("href=\"([^<>]+?/wmk_classic_ru\\.exe)\"", kHtml);
        static const auto english = NewRegex("href=\"([^<>]+?/wmk_classic_en\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version,
                           aLanguage == lRussian ? *russian : *english, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeWebMoneyKeeperClassic() {
    return std::make_unique<TWebMoneyKeeperClassic>();
}

} // namespace brivane::programs
