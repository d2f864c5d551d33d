// The KMPlayer: the publisher's page links the installer of the current release under
// a name that carries the version ("KMPlayer_4.1.1.5.exe"). The installer registers
// "The KMPlayer" (some releases "The KMPlayer (remove only)") and records neither a
// version that follows the program's nor an icon: the program sits beside its
// uninstaller.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://www.kmplayer.com";
constexpr const char* kDownloadPage = "https://www.kmplayer.com/";
constexpr const char* kExecutable = "KMPlayer.exe";

class TTheKMPlayer final : public TBaseSoftware {
public:
    TTheKMPlayer() : TBaseSoftware("The KMPlayer", scMultimedia) {}

protected:
    // The application named like the entry, else the first one named after it.
    void FindApplication() override {
        static const auto name =
            NewRegex("^The\\s*?KMPlayer\\b", {TRegCompileOption::rcoIgnoreCase});
        if (!Context().GetApplicationsByName(Info().Name()).empty()) {
            TBaseSoftware::FindApplication();
            return;
        }
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
            NewRegex("href=\"([^<>]+?/KMPlayer_([\\d.]+?)\\.exe)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeTheKMPlayer() {
    return std::make_unique<TTheKMPlayer>();
}

} // namespace brivane::programs
