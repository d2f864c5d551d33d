// Viber: the download page links the installer, whose version is read out of it
// remotely. The page is expected to hold a link to "ViberSetup.exe". The installed
// version is that of Viber.exe, which the inventory does not always follow.

#include "catalogue/base_software.h"
#include "catalogue/release_channels.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.viber.com";
constexpr const char* kDownloadPage = "https://www.viber.com/en/download/";
constexpr const char* kExecutable = "Viber.exe";

class TViber final : public TBaseSoftware {
public:
    TViber() : TBaseSoftware("Viber", scInternetNetwork) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::InstallLocation, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto link =
            NewRegex("href\\s*?=\\s*?\"([^<>]+?/ViberSetup\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        TakeLinkedInstaller(*link, GetPageText(kDownloadPage), kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeViber() {
    return std::make_unique<TViber>();
}

} // namespace brivane::programs
