// Avira Free Antivirus: the publisher's download page of the product, one per
// language, states the version in a "product-version" block ("Version 15.0.18.354",
// "Версия 15.0.18.354") and links the installer of that language from a button of
// class "btn-download". The user's interface language picks the Russian or the
// English page.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.avira.com";
constexpr const char* kEnglishPage =
    "https://www.avira.com/en/download/product/avira-free-antivirus";
constexpr const char* kRussianPage =
    "https://www.avira.com/ru/download/product/avira-free-antivirus";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TAviraFree final : public TBaseSoftware {
public:
    TAviraFree() : TBaseSoftware("Avira Free Antivirus", scSecurity) {}

protected:
    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("class=\"product-version\"[^<>]*?>[^<>\\d]*?(\\d+(?:\\.\\d+)*)\\s*?<", kHtml);
        static const auto link = NewRegex(
            "<a\\s[^<>]*?class=\"[^\"<>]*?btn-download[^\"<>]*?\"[^<>]*?href=\"([^<>]+?)\"", kHtml);
        const TRegexSubject page(GetPageText(aLanguage == lRussian ? kRussianPage : kEnglishPage));
        ReadVersionAndLink(page, *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAviraFree() {
    return std::make_unique<TAviraFree>();
}

} // namespace brivane::programs
