// Vivaldi: the download page links one installer per architecture under names that
// carry the version ("Vivaldi.1.5.658.44.x64.exe" and "Vivaldi.1.5.658.44.exe"). The
// installer registers "Vivaldi".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://vivaldi.com";
constexpr const char* kDownloadPage = "https://vivaldi.com/download/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TVivaldi final : public TBaseSoftware {
public:
    TVivaldi() : TBaseSoftware("Vivaldi", scInternetNetwork) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>]+?/Vivaldi\\.(\\d[\\d.]*?)\\.x64\\.exe)\"", kHtml);
        static const auto installer32 =
            NewRegex("href=\"([^<>]+?/Vivaldi\\.(\\d[\\d.]*?)\\.exe)\"", kHtml);
        ReadVersionedLink(GetPageText(kDownloadPage),
                          Context().IsWindows64() ? *installer64 : *installer32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeVivaldi() {
    return std::make_unique<TVivaldi>();
}

} // namespace brivane::programs
