// Fiddler: the publisher's release history heads each release with its version
// ("Fiddler v4.6.2.3"), newest first; the installer's address always serves the latest
// release.

#include "catalogue/base_software.h"
#include "catalogue/definition_helpers.h"

namespace brivane::programs {

namespace {

constexpr const char* kReleaseHistory =
    "https://www.telerik.com/support/whats-new/fiddler/release-history";
constexpr const char* kInstaller =
    "https://www.telerik.com/docs/default-source/fiddler/fiddlersetup.exe";

class TFiddler final : public TBaseSoftware {
public:
    TFiddler() : TBaseSoftware("Fiddler", scDevelopment) {}

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        static const auto version =
            NewRegex(">\\s*?Fiddler\\s+?v(\\d+(?:\\.\\d+)*)\\s*?<",
                     {TRegCompileOption::rcoIgnoreCase, TRegCompileOption::rcoSingleLine});
        if (auto found = FirstGroup(*version, GetPageText(kReleaseHistory))) {
            aParams.AvailableVersion = std::move(*found);
            aParams.DownloadURL = kInstaller;
        }
    }
};

} // namespace

std::unique_ptr<TBaseSoftware> MakeFiddler() {
    return std::make_unique<TFiddler>();
}

} // namespace brivane::programs
