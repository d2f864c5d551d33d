// TortoiseSVN: the download page links one installer per architecture under names that
// carry the version ("TortoiseSVN-1.9.4.27285-x64-svn-1.9.4.msi", "...-win32-..."). The
// installer puts the version in the display name ("TortoiseSVN 1.9.4.27285 (64 bit)").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://tortoisesvn.net";
constexpr const char* kDownloadPage = "https://tortoisesvn.net/downloads.html";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TTortoiseSVN final : public TBaseSoftware {
public:
    TTortoiseSVN() : TBaseSoftware("TortoiseSVN", scDevelopment) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^TortoiseSVN\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>]+?/TortoiseSVN-([\\d.]+)-x64-svn-[\\d.]+\\.msi)\"", kHtml);
        static const auto installer32 =
            NewRegex("href=\"([^<>]+?/TortoiseSVN-([\\d.]+)-win32-svn-[\\d.]+\\.msi)\"", kHtml);
        ReadVersionedLink(GetPageText(kDownloadPage),
                          Context().IsWindows64() ? *installer64 : *installer32, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeTortoiseSVN() {
    return std::make_unique<TTortoiseSVN>();
}

} // namespace brivane::programs
