// Notepad++: the home page links the current release's page ("Current Version
// 7.1"), which links its installer ("npp.7.1.Installer.exe"). The executable beside
// the uninstaller tells the installed version.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://notepad-plus-plus.org";
constexpr const char* kHomePage = "https://notepad-plus-plus.org/";
constexpr const char* kExecutable = "notepad++.exe";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TNotepadPlusPlus final : public TBaseSoftware {
public:
    TNotepadPlusPlus() : TBaseSoftware("Notepad++", scOffice) {}

protected:
    std::string GetCurrentVersion() override {
        return FileVersionOrInventory(TInstalledFolder::UninstallFolder, kExecutable);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto current = NewRegex(
            "<a\\s[^<>]*?href=\"([^<>]+?)\"[^<>]*?>(?:\\s*<[^<>]+?>\\s*)*?Current\\s+?Version\\s+?"
            "([\\d.]+)",
            kHtml);
        static const auto installer =
            NewRegex("href=\"([^<>]+?/npp\\.[\\d.]+\\.Installer\\.exe)\"", kHtml);
        const auto release = current->Match(GetPageText(kHomePage));
        if (!release->Success()) {
            return;
        }
        aParams.AvailableVersion = GroupText(*release, 2);
        const std::string releasePage = AbsoluteLink(kSite, GroupText(*release, 1));
        if (const auto link = FirstGroup(*installer, GetPageText(releasePage))) {
            aParams.DownloadURL = AbsoluteLink(kSite, *link);
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeNotepadPlusPlus() {
    return std::make_unique<TNotepadPlusPlus>();
}

} // namespace brivane::programs
