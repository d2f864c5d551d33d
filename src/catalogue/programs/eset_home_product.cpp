#include "catalogue/programs/eset_home_product.h"

#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.eset.com";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

// The link to the installer of that architecture and language.
std::shared_ptr<IRegex> InstallerLink(const std::string& aArchitecture,
                                      const std::string& aLanguage) {
    return NewRegex("href=\"([^<>\"]+?_" + aArchitecture + "_" + aLanguage + "\\.exe)\"", kHtml);
}

class TESETHomeProduct final : public TBaseSoftware {
public:
    TESETHomeProduct(std::string aName, std::string aDownloadPage)
        : TBaseSoftware(std::move(aName), scSecurity), fDownloadPage(std::move(aDownloadPage)) {}

protected:
    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?Version:?(?:\\s*<[^<>]+?>\\s*)*?\\s*?(\\d+(?:\\.\\d+)*)\\s*?<", kHtml);
        static const std::shared_ptr<IRegex> links[2][2] = {
            {InstallerLink("nt32", "enu"), InstallerLink("nt32", "rus")},
            {InstallerLink("nt64", "enu"), InstallerLink("nt64", "rus")},
        };
        const auto& link = links[Context().IsWindows64() ? 1 : 0][aLanguage == lRussian ? 1 : 0];
        ReadVersionAndLink(GetPageText(fDownloadPage), *version, *link, kSite, aParams);
    }

private:
    const std::string fDownloadPage;
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeESETHomeProduct(std::string aName, std::string aDownloadPage) {
    return std::make_unique<TESETHomeProduct>(std::move(aName), std::move(aDownloadPage));
}

} // namespace brivane::programs
