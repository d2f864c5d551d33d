// Thunderbird: the publisher's page of all builds lists, per language, a cell of class
// "download win" holding the link to the Windows installer of that language
// ("...?product=thunderbird-45.4.0-SSL&amp;os=win&amp;lang=ru"). The user's interface
// language picks Russian or American English; the version is in the link.

#include "catalogue/base_software.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kAllBuildsPage = "https://www.mozilla.org/en-US/thunderbird/all/";

class TThunderbird final : public TBaseSoftware {
public:
    TThunderbird() : TBaseSoftware("Thunderbird", scInternetNetwork) {}

protected:
    // "Mozilla Thunderbird 45.4.0 (x86 ru)"
    void FindApplication() override {
        static const auto name = NewRegex("^Mozilla\\s+?Thunderbird\\s+?[\\d.]+");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto russian = MozillaInstallerLink("thunderbird", "ru");
        static const auto english = MozillaInstallerLink("thunderbird", "en-US");
        ReadMozillaInstaller(aLanguage == lRussian ? *russian : *english,
                             GetPageText(kAllBuildsPage), aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeThunderbird() {
    return std::make_unique<TThunderbird>();
}

} // namespace brivane::programs
