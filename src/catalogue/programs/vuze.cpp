// Vuze: the download page states the release ("Version: 5.7.4.0") and links the
// installer, which keeps one name across releases ("VuzeBittorrentClientInstaller.exe").
// The installer registers "Vuze".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.vuze.com";
constexpr const char* kDownloadPage = "https://www.vuze.com/download.php";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TVuze final : public TBaseSoftware {
public:
    TVuze() : TBaseSoftware("Vuze", scInternetNetwork) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?Version\\s*?:?(?:\\s*<[^<>]+?>\\s*)*?\\s*?(\\d[\\d.]*)", kHtml);
        static const auto installer =
            NewRegex("href=\"([^<>]+?/VuzeBittorrentClientInstaller\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeVuze() {
    return std::make_unique<TVuze>();
}

} // namespace brivane::programs
