// FileZilla Server: the project's server download page states "The latest version of
// FileZilla Server is 0.9.57" and links the installer ("FileZilla_Server-0_9_57.exe").
// The installer records its version as "beta 0.9.57"; the number is kept. It records no
// icon on older releases: the administration interface in the install location stands
// in.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://filezilla-project.org";
constexpr const char* kDownloadPage = "https://filezilla-project.org/download.php?type=server";
constexpr const char* kInterface = "FileZilla Server Interface.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TFileZillaServer final : public TBaseSoftware {
public:
    TFileZillaServer() : TBaseSoftware("FileZilla Server", scInternetNetwork) {}

protected:
    std::string GetCurrentVersion() override {
        static const auto number = NewRegex("(\\d+(?:\\.\\d+)*)\\s*$");
        return InventoryVersionGroup(*number).value_or(TBaseSoftware::GetCurrentVersion());
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kInterface);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex("latest\\s+?version\\s+?of\\s+?FileZilla\\s+?"
                                             "Server\\s+?is\\s+?(\\d+(?:\\.\\d+)*)\\s*?<",
                                             kHtml);
        static const auto link =
            NewRegex("href=\"([^<>\"]+?/FileZilla_Server-[\\d_]+\\.exe)\"", kHtml);
        ReadVersionAndLink(GetPageText(kDownloadPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFileZillaServer() {
    return std::make_unique<TFileZillaServer>();
}

} // namespace brivane::programs
