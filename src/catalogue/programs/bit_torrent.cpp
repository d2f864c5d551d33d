// BitTorrent: the Windows download page states the version and build ("Version
// 7.9.8 (build 42502)", which the installer records as 7.9.8.42502) and links the
// download service, which redirects to the current installer.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"
#include "catalogue/publisher_sources.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.bittorrent.com";
constexpr const char* kPage = "https://www.bittorrent.com/downloads/win";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TBitTorrent final : public TBaseSoftware {
public:
    TBitTorrent() : TBaseSoftware("BitTorrent", scInternetNetwork) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?Version\\s+?([\\d.]+)\\s+?\\(build\\s+?(\\d+)\\)", kHtml);
        static const auto link =
            NewRegex("<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>\\s*?Free\\s+?Download\\s*?<", kHtml);
        const TRegexSubject page(GetPageText(kPage));
        if (const auto match = version->Match(page); match->Success()) {
            aParams.AvailableVersion = GroupText(*match, 1) + "." + GroupText(*match, 2);
        }
        if (const auto target = FirstGroup(*link, page)) {
            aParams.DownloadURL = AbsoluteLink(kSite, *target);
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeBitTorrent() {
    return std::make_unique<TBitTorrent>();
}

} // namespace brivane::programs
