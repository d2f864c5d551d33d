// FileHippo App Manager: the program's page on FileHippo heads it with the name and
// the version ("FileHippo App Manager 2.0.0.1480", the number in a tag of its own) and
// links the installer from a "Download" button. Its installer records no install
// location: the program sits beside its uninstaller.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://filehippo.com";
constexpr const char* kProgramPage = "https://filehippo.com/download_app_manager/";
constexpr const char* kExecutable = "FileHippo.AppManager.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TFileHippoAppManager final : public TBaseSoftware {
public:
    TFileHippoAppManager() : TBaseSoftware("FileHippo App Manager", scSystem) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::UninstallFolder, kExecutable);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::UninstallFolder, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?FileHippo\\s+?App\\s+?Manager(?:\\s*<[^<>]+?>"
                                             "\\s*)*?\\s*?(\\d+(?:\\.\\d+)*)\\s*?<",
                                             kHtml);
        static const auto link = NewRegex(
            "<a\\s[^<>]*?href=\"([^<>\"]+?\\.exe)\"[^<>]*?>(?:\\s*<[^<>]+?>\\s*)*?\\s*?Download",
            kHtml);
        ReadVersionAndLink(GetPageText(kProgramPage), *version, *link, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFileHippoAppManager() {
    return std::make_unique<TFileHippoAppManager>();
}

} // namespace brivane::programs
