// XChat: the Windows download page links the installer under a name that carries the
// version ("xchat-2.8.9.exe"). The installer registers "XChat" with a version that
// does not follow the program's and no icon: the program sits beside its uninstaller.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://xchat.org";
constexpr const char* kDownloadPage = "https://xchat.org/windows/";
constexpr const char* kExecutable = "xchat.exe";

class TXChat final : public TBaseSoftware {
public:
    TXChat() : TBaseSoftware("XChat", scInternetNetwork) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^XChat(?:\\s|$)");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::UninstallFolder, kExecutable);
    }

    std::string GetIconLocation() override {
        return IconOrInstalledFile(TInstalledFolder::UninstallFolder, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/xchat-([\\d.]+)\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeXChat() {
    return std::make_unique<TXChat>();
}

} // namespace brivane::programs
