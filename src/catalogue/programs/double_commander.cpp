// Double Commander: the project's home page links the installers of the latest release
// on SourceForge's download host, one per architecture, each file name carrying the
// version ("doublecmd-0.7.5.x86_64-win64.exe", "doublecmd-0.7.5.i386-win32.exe"). The
// installer registers the version in the display name ("Double Commander 0.7.5 beta
// (x64)").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://doublecmd.sourceforge.io";
constexpr const char* kHomePage = "https://doublecmd.sourceforge.io/";
constexpr const char* kExecutable = "doublecmd.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TDoubleCommander final : public TBaseSoftware {
public:
    TDoubleCommander() : TBaseSoftware("Double Commander", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Double\\s+?Commander\\s+?(\\d+(?:\\.\\d+)*)");
        FindApplicationWithVersionInName(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer64 = NewRegex(
            "href=\"([^<>\"]+?/doublecmd-(\\d+(?:\\.\\d+)*)\\.x86_64-win64\\.exe)\"", kHtml);
        static const auto installer32 =
            NewRegex("href=\"([^<>\"]+?/doublecmd-(\\d+(?:\\.\\d+)*)\\.i386-win32\\.exe)\"", kHtml);
        const auto& installer = Context().IsWindows64() ? installer64 : installer32;
        ReadVersionedLink(GetPageText(kHomePage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeDoubleCommander() {
    return std::make_unique<TDoubleCommander>();
}

} // namespace brivane::programs
