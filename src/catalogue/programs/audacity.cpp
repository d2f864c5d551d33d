// Audacity: the Windows download page links the installer with the version in its
// text ("Audacity 2.1.2 installer"). Installations are named with their version, and
// several may sit side by side: the highest counts.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.audacityteam.org";
constexpr const char* kPage = "https://www.audacityteam.org/download/windows/";

class TAudacity final : public TBaseSoftware {
public:
    TAudacity() : TBaseSoftware("Audacity", scMultimedia) {}

protected:
    // "Audacity 2.1.2"
    void FindApplication() override {
        static const auto name = NewRegex("^Audacity(?:\\s+?[\\d.]+)?$", {});
        FindHighestApplication(*name, THighestFrom::Held);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?\\.exe)\"[^<>]*?>\\s*?Audacity\\s+?([\\d.]+)"
                     "\\s+?installer",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        const auto match = installer->Match(GetPageText(kPage));
        if (!match->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*match, 2);
        aParams.DownloadURL = AbsoluteLink(kSite, GroupText(*match, 1));
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeAudacity() {
    return std::make_unique<TAudacity>();
}

} // namespace brivane::programs
