// KeePass (listed as "KeePas"): the download page links the installers on SourceForge,
// whose path carries the version ("KeePass-2.34-Setup.exe/download"). The executable
// beside the uninstaller tells the installed version.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://keepass.info";
constexpr const char* kDownloadPage = "https://keepass.info/download.html";
constexpr const char* kExecutable = "KeePass.exe";

class TKeePass final : public TBaseSoftware {
public:
    TKeePass() : TBaseSoftware("KeePas", scSystem) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^KeePass\\s+?Password\\s+?Safe");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::UninstallFolder, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/KeePass-([\\d.]+)-Setup\\.exe(?:/download)?)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeKeePass() {
    return std::make_unique<TKeePass>();
}

} // namespace brivane::programs
