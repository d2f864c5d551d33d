// Picasa: the publisher's page states "Version 3.9.141" and links the installer
// ("picasa39-setup.exe"). The program's executable ("Picasa3.exe") in the install
// location tells the installed version and gives the icon.

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://picasa.google.com";
constexpr const char* kHomePage = "https://picasa.google.com/";

const TRegCompileOptions kHtml = {TRegCompileOption::rcoIgnoreCase,
                                  TRegCompileOption::rcoSingleLine};

class TPicasa final : public TBaseSoftware {
public:
    TPicasa() : TBaseSoftware("Picasa", scGraphics) {}

protected:
    void FindApplication() override {
        static const auto name = NewRegex("^Picasa\\s+?\\d+");
        FindFirstApplication(*name);
    }

    std::string GetCurrentVersion() override {
        const std::string executable = Executable();
        return executable.empty() ? TBaseSoftware::GetCurrentVersion() : GetFileVersion(executable);
    }

    std::string GetIconLocation() override {
        std::string location = Executable();
        return location.empty() ? TBaseSoftware::GetIconLocation() : location;
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version = NewRegex(">\\s*?Version\\s+?([\\d.]+)", kHtml);
        static const auto installer = NewRegex("href=\"([^<>]+?/picasa\\d+-setup\\.exe)\"", kHtml);
        const TRegexSubject page(GetPageText(kHomePage));
        ReadVersionAndLink(page, *version, *installer, kSite, aParams);
    }

private:
    // The first "Picasa<n>.exe" in the install location; empty when there is none.
    std::string Executable() const {
        static const auto executable =
            NewRegex("\\\\Picasa\\d*?\\.exe$", {TRegCompileOption::rcoIgnoreCase});
        return FindInstalledFile(TInstalledFolder::InstallLocation, *executable);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakePicasa() {
    return std::make_unique<TPicasa>();
}

} // namespace brivane::programs
