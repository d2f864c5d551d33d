// IP-TV Player: the author's page of the program (in Russian) states the latest
// version ("Последняя версия: 49.2") and links the installer by a path on the site
// ("/download/IpTvPlayer-setup.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://borpas.info";
constexpr const char* kProgramPage = "https://borpas.info/iptvplayer";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TIPTVPlayer final : public TBaseSoftware {
public:
    TIPTVPlayer() : TBaseSoftware("IP-TV Player", scMultimedia) {}

protected:
    // "IP-TV Player"
    void FindApplication() override {
        static const auto name = NewRegex("^IP-TV\\s+?Player\\b");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(
            "Последняя\\s+?версия\\s*?:?(?:\\s*<[^<>]+?>\\s*)*?\\s*?(\\d+(?:\\.\\d+)*)\\s*?<",
            kHtml);
        static const auto link = NewRegex("href=\"([^<>\"]*?/IpTvPlayer-setup\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kProgramPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeIPTVPlayer() {
    return std::make_unique<TIPTVPlayer>();
}

} // namespace brivane::programs
