// Microsoft Security Essentials: the download page of each language states the
// version ("Version: 4.10.209.0") and links one installer per language and architecture
// on the download host ("…/ENUS/amd64/MSEInstall.exe", "…/RURU/x86/MSEInstall.exe").

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://windows.microsoft.com";
constexpr const char* kEnglishPage =
    "https://windows.microsoft.com/en-us/windows/security-essentials-download";
constexpr const char* kRussianPage =
    "https://windows.microsoft.com/ru-ru/windows/security-essentials-download";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

// The link to the installer of that language folder and architecture folder.
std::shared_ptr<IRegex> InstallerLink(const char* aLanguage, const char* aArchitecture) {
    return NewRegex(std::string("href=\"([^<>]+?/") + aLanguage + "/" + aArchitecture +
                        "/MSEInstall\\.exe)\"",
                    kHtml);
}

class TMicrosoftSecurityEssentials final : public TBaseSoftware {
public:
    TMicrosoftSecurityEssentials() : TBaseSoftware("Microsoft Security Essentials", scSecurity) {}

protected:
    void GetCheckedParams(bool, TLanguage aLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?Version\\s*?:\\s*?([\\d.]+)", kHtml);
        static const auto english64 = InstallerLink("ENUS", "amd64");
        static const auto english32 = InstallerLink("ENUS", "x86");
        static const auto russian64 = InstallerLink("RURU", "amd64");
        static const auto russian32 = InstallerLink("RURU", "x86");

        const bool russian = aLanguage == lRussian;
        const bool windows64 = Context().IsWindows64();
        const auto& link =
            russian ? (windows64 ? russian64 : russian32) : (windows64 ? english64 : english32);
        ReadVersionAndLink(GetPageText(russian ? kRussianPage : kEnglishPage), *version, *link,
                           kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeMicrosoftSecurityEssentials() {
    return std::make_unique<TMicrosoftSecurityEssentials>();
}

} // namespace brivane::programs
