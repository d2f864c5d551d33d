// FotoSketcher: the author's download page names the release ("Download FotoSketcher
// 3.20") and links its installer ("FotoSketcher-3.20-setup.exe"). The installer
// registers the version in the display name ("FotoSketcher 3.10") and, on some
// releases, no icon: the program's executable in the install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://fotosketcher.com";
constexpr const char* kDownloadPage = "https://fotosketcher.com/download-fotosketcher/";
constexpr const char* kExecutable = "FotoSketcher.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TFotoSketcher final : public TBaseSoftware {
public:
    TFotoSketcher() : TBaseSoftware("FotoSketcher", scGraphics) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^FotoSketcher\\s+?(\\d+(?:\\.\\d+)*)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?Download\\s+?FotoSketcher\\s+?(\\d+(?:\\.\\d+)*)\\s*?<", kHtml);
        static const auto link =
            NewRegex("href=\"([^<>\"]+?/FotoSketcher[^<>\"/]*?\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFotoSketcher() {
    return std::make_unique<TFotoSketcher>();
}

} // namespace brivane::programs
