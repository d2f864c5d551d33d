// Yandex Browser: the publisher's update feed (RSS) describes the release
// ("<description>Yandex 16.7.1.20937</description>") and gives the installer as the
// item's guid. The browser registers itself as "Yandex" (in Russian editions
// "Яндекс").

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kUpdateFeed =
    "https://api.browser.yandex.ru/update-info/browser/yandex/win-yandex.xml?manual=yes";

const TRegCompileOptions kXml = {TRegCompileOption::rcoIgnoreCase,
                                 TRegCompileOption::rcoSingleLine};

class TYandexBrowser final : public TBaseSoftware {
public:
    TYandexBrowser() : TBaseSoftware("Yandex Browser", scInternetNetwork) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^(?:Yandex|Яндекс)$");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex("<description>\\s*?Yandex\\s+?([\\d.]+?)\\s*</description>", kXml);
        static const auto installer = NewRegex("<guid>\\s*([^<>]+?)\\s*</guid>", kXml);

        const TRegexSubject feed(GetPageText(kUpdateFeed));
        aParams.AvailableVersion = VersionIn(*version, feed);
        aParams.DownloadURL = FirstGroup(*installer, feed).value_or("");
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeYandexBrowser() {
    return std::make_unique<TYandexBrowser>();
}

} // namespace brivane::programs
