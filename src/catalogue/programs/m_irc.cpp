// mIRC: the publisher's download page heads the release ("mIRC v7.45") and links the
// installer ("mirc745.exe") beside it.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.mirc.com";
constexpr const char* kDownloadPage = "https://www.mirc.com/get.html";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TmIRC final : public TBaseSoftware {
public:
    TmIRC() : TBaseSoftware("mIRC", scInternetNetwork) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?mIRC\\s+?v([\\d.]+)\\s*?<", kHtml);
        static const auto link = NewRegex("href=\"([^<>]+?/mirc\\d+?\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakemIRC() {
    return std::make_unique<TmIRC>();
}

} // namespace brivane::programs
