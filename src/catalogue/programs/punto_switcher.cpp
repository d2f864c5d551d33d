// Punto Switcher: the publisher's page (in Russian) states the release ("Версия 4.2.7")
// and links the installer on the publisher's download host beside it.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://yandex.ru";
constexpr const char* kProgramPage = "https://yandex.ru/soft/punto/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TPuntoSwitcher final : public TBaseSoftware {
public:
    TPuntoSwitcher() : TBaseSoftware("Punto Switcher", scOffice) {}

protected:
    // "Punto Switcher 4.2.7"
    void FindApplication() override {
        static const auto name = NewRegex("^Punto\\s+?Switcher\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?Версия\\s+?([\\d.]+)\\s*?<", kHtml);
        static const auto link = NewRegex("href=\"([^<>\"]+?/PuntoSwitcherSetup\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kProgramPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakePuntoSwitcher() {
    return std::make_unique<TPuntoSwitcher>();
}

} // namespace brivane::programs
