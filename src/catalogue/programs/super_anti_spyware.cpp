// SUPERAntiSpyware: the free edition's download page states the release ("Version:
// 6.0.1236") and links the installer, which keeps one name across releases
// ("SUPERAntiSpyware.exe"). The installer registers the program under its own name.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.superantispyware.com";
constexpr const char* kDownloadPage = "https://www.superantispyware.com/download.html";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TSUPERAntiSpyware final : public TBaseSoftware {
public:
    TSUPERAntiSpyware() : TBaseSoftware("SUPERAntiSpyware", scSecurity) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?Version\\s*?:?(?:\\s*<[^<>]+?>\\s*)*?\\s*?(\\d[\\d.]*)", kHtml);
        static const auto installer = NewRegex("href=\"([^<>]+?/SUPERAntiSpyware\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSUPERAntiSpyware() {
    return std::make_unique<TSUPERAntiSpyware>();
}

} // namespace brivane::programs
