// Subversion: the command-line client as SlikSVN packages it for Windows. The download
// page links one installer per architecture, named with the version
// ("Slik-Subversion-1.9.4-win32.msi"); the 32-bit one runs everywhere. The package
// registers "Slik Subversion 1.9.4 (x64)".

#include "catalogue/base_software.h"
#include "catalogue/page_versions.h"

namespace brivane::programs {

namespace {

constexpr const char* kSite = "https://sliksvn.com";
constexpr const char* kDownloadPage = "https://sliksvn.com/download/";

class TSubversion final : public TBaseSoftware {
public:
    TSubversion() : TBaseSoftware("Subversion", scDevelopment) {}

protected:
    void FindApplication() override {
        static const auto name =
            NewRegex("^(?:Slik\\s+?)?Subversion\\s+?[\\d.]+", {TRegCompileOption::rcoIgnoreCase});
        FindFirstApplication(*name);
    }

    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto installer =
            NewRegex("href=\"([^<>]+?/Slik-Subversion-([\\d.]+)-win32\\.msi)\"",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        ReadVersionedLink(GetPageText(kDownloadPage), *installer, kSite, aParams);
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeSubversion() {
    return std::make_unique<TSubversion>();
}

} // namespace brivane::programs
