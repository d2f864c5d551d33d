// System Explorer: the download page names the release in a heading ("System Explorer
// 7.0.0.5356") and links the installer ("SystemExplorerSetup.exe"). The installer puts
// the version in the display name ("System Explorer 7.0.0") and records no icon.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://systemexplorer.net";
constexpr const char* kDownloadPage = "https://systemexplorer.net/download.php";
constexpr const char* kExecutable = "SystemExplorer.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TSystemExplorer final : public TBaseSoftware {
public:
    TSystemExplorer() : TBaseSoftware("System Explorer", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^System\\s+?Explorer\\s+?([\\d.]+)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?System\\s+?Explorer\\s+?([\\d.]+)\\s*?<", kHtml);
        static const auto installer =
            NewRegex("href=\"([^<>]+?SystemExplorerSetup\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSystemExplorer() {
    return std::make_unique<TSystemExplorer>();
}

} // namespace brivane::programs
