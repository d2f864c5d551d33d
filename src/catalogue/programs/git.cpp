// Git: the project's Windows download page links the installers of Git for Windows on
// GitHub, one per architecture, each file name carrying the version
// ("Git-2.9.0-64-bit.exe", "Git-2.9.0-32-bit.exe"). The installer registers the version
// in the display name ("Git version 2.9.0") and, on older releases, no icon: the Git
// Bash launcher in the install location stands in.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://git-scm.com";
constexpr const char* kDownloadPage = "https://git-scm.com/download/win";
constexpr const char* kLauncher = "git-bash.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TGit final : public TBaseSoftware {
public:
    TGit() : TBaseSoftware("Git", scDevelopment) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Git\\s+?version\\s+?(\\d+(?:\\.\\d+)*)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kLauncher);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 =
            NewRegex("href=\"([^<>\"]+?/Git-(\\d+(?:\\.\\d+)*)-64-bit\\.exe)\"", kHtml);
        static const auto installer32 =
            NewRegex("href=\"([^<>\"]+?/Git-(\\d+(?:\\.\\d+)*)-32-bit\\.exe)\"", kHtml);
        const auto& installer = Context().IsWindows64() ? installer64 : installer32;
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeGit() {
    return std::make_unique<TGit>();
}

} // namespace brivane::programs
