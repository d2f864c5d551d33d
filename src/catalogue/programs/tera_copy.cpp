// TeraCopy: the product page states the release ("Version 3.0") and links the
// installer, which keeps one name across releases ("teracopy.exe"). The installer puts
// the version in the display name ("TeraCopy 3.0") and records no icon.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.codesector.com";
constexpr const char* kProductPage = "https://www.codesector.com/teracopy";
constexpr const char* kExecutable = "TeraCopy.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TTeraCopy final : public TBaseSoftware {
public:
    TTeraCopy() : TBaseSoftware("TeraCopy", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^TeraCopy\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?Version\\s+?([\\d.]+)\\s*?<", kHtml);
        static const auto installer = NewRegex("href=\"([^<>]+?/teracopy\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kProductPage), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeTeraCopy() {
    return std::make_unique<TTeraCopy>();
}

} // namespace brivane::programs
