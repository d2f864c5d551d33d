// Combined Community Codec Pack: the home page links the current release's
// installers, named after its date ("Combined-Community-Codec-Pack-2015-10-18.exe",
// "...-64bit-2015-10-18.exe"); the installed pack records that date as its version
// (2015.10.18.0). The 32-bit and the 64-bit pack may both be installed: the highest
// counts.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.cccp-project.net";
constexpr const char* kPage = "https://www.cccp-project.net/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TCCCP final : public TBaseSoftware {
public:
    TCCCP() : TBaseSoftware("Combined Community Codec Pack", scMultimedia) {}

protected:
    // "Combined Community Codec Pack 2015-10-18", "... 64bit 2015-10-18"
    void FindApplication() override {
        static const auto name = NewRegex("^Combined\\s+?Community\\s+?Codec\\s+?Pack", {});
        FindHighestApplication(*name, THighestFrom::Held);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto link64 = NewRegex(
            "href=\"([^<>]+?Combined-Community-Codec-Pack-64bit-(\\d+)-(\\d+)-(\\d+)\\.exe)\"",
            kHtml);
        static const auto link32 = NewRegex(
            "href=\"([^<>]+?Combined-Community-Codec-Pack-(\\d+)-(\\d+)-(\\d+)\\.exe)\"", kHtml);
        const auto match = (Context().IsWindows64() ? link64 : link32)->Match(GetPageText(kPage));
        if (!match->Success()) {
            return;
        }
        aParams.AvailableVersion =
            GroupText(*match, 2) + "." + GroupText(*match, 3) + "." + GroupText(*match, 4);
        aParams.DownloadURL = AbsoluteLink(kSite, GroupText(*match, 1));
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeCCCP() {
    return std::make_unique<TCCCP>();
}

} // namespace brivane::programs
