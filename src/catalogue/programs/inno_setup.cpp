// Inno Setup: the author's download page heads the stable release ("Stable Release",
// then "Inno Setup 5.5.9") and links its Unicode installer by a path on the site
// ("/download.php/is-unicode.exe"). The installer registers "Inno Setup version 5.5.8".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.jrsoftware.org";
constexpr const char* kDownloadPage = "https://www.jrsoftware.org/isdl.php";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TInnoSetup final : public TBaseSoftware {
public:
    TInnoSetup() : TBaseSoftware("Inno Setup", scDevelopment) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Inno\\s+?Setup\\s+?version\\s+?\\d");
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(
            ">\\s*?Stable\\s+?Release\\s*?<.+?Inno\\s+?Setup\\s+?(\\d+(?:\\.\\d+)*)\\s*?<", kHtml);
        static const auto link = NewRegex("href=\"([^<>\"]*?/is-unicode\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeInnoSetup() {
    return std::make_unique<TInnoSetup>();
}

} // namespace brivane::programs
